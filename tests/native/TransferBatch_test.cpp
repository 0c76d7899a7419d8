// The transfer batch against the fake server and file system: the engine
// calls of uploads and downloads with their relative paths, the summary of
// what failed, stopping, the replace question, progress, and the sessions
// files move on side by side.
#include "FakeJobs.h"
#include "FakeLocalFiles.h"

#include "transfer/TransferBatch.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>

namespace {

using Log = std::vector<std::wstring>;

const FailureWords kWords = {L"Server: %1",   L"silence", L"incomplete", L"left on server", L"no name here", {},
                             L"not sendable", L"changed",  L"appeared",   L"link"};
constexpr std::uint64_t kMiB = 1024 * 1024;

class RecordingEvents : public TransferEvents {
public:
    Log shown;
    Log rowsDone;
    // Told each progress update.
    std::function<void()> onProgress = [] {};
    // The answers to the replace questions, in turn; the names asked about.
    std::vector<OverwriteChoice> answers;
    std::function<void()> whileAsking = [] {};
    Log asked;
    std::vector<int> permille;  // the progress bar's values shown
    std::vector<int> sessions;  // told by FewerSessions
    std::optional<FailureReport> report;

    void ShowTransferring(const std::wstring& path) override { shown.push_back(path); }
    void ShowProgress(const TransferProgress& progress, double) override
    {
        permille.push_back(progress.Permille());
        onProgress();
    }
    OverwriteChoice AskOverwrite(const OverwriteQuestion& question) override
    {
        asked.push_back(question.name);
        whileAsking();
        return asked.size() <= answers.size() ? answers[asked.size() - 1] : OverwriteChoice::kCancel;
    }
    void UploadRowDone(const std::wstring&, const FtpFolderResult&) override { rowsDone.push_back(L"ftp"); }
    void DownloadRowDone(const std::wstring& localFolder) override { rowsDone.push_back(localFolder); }
    void FewerSessions(int count) override { sessions.push_back(count); }
    void BatchEnded(const FailureReport& ended, bool, bool) override { report = ended; }
    void BatchGivenUp(bool) override {}
};

// The lines of the log that begin with the verb.
Log Lines(const Log& log, const std::wstring& verb)
{
    Log lines;
    for (const std::wstring& line : log)
        if (line.rfind(verb + L" ", 0) == 0)
            lines.push_back(line);
    return lines;
}

class TransferBatchTest : public ::testing::Test {
protected:
    TransferBatchTest()
    {
        ftp.loginFolder = L"/home";
        profile.login = {L"ftp://host", L"u", L"secret"};
        profile.folder = L"www";
        // One file after the other, so that the log has one order.
        profile.connections = 1;
        files.AddFile(L"C:\\Data\\a.txt");
        files.AddFile(L"C:\\Data\\tree\\x.txt");
        files.AddFile(L"C:\\Data\\tree\\sub\\y.txt");
        files.AddFolder(L"C:\\Data\\tree\\empty");
        files.AddFolder(L"C:\\Dl");
        ftp.localSize = [this](const std::wstring& path) { return files.SizeOf(path); };
        ftp.AddFile(L"/home/www/f.bin", 1);
        ftp.AddFile(L"/home/www/t/g.txt", 1);
        ftp.AddFile(L"/home/www/t/u/www/h.txt", 1);
        ftp.AddFile(L"/home/www/t/CON/z.txt", 1);
        ftp.AddFolder(L"/home/www/t/locked");
        ftp.AddRawEntry(L"/home/www/t", {L"x\\y.txt", 0, 0, 1});  // no path reaches it
        ftp.refuseListing.insert(L"/home/www/t/locked");
    }

    std::optional<FailureReport> Upload(const std::wstring& folder, const std::vector<PaneRow>& rows)
    {
        return Run([&] { return batch.Upload(profile, folder, rows); });
    }
    std::optional<FailureReport> Download(const std::wstring& folder, const std::vector<PaneRow>& rows)
    {
        return Run([&] { return batch.Download(profile, shown, folder, rows); });
    }
    std::optional<FailureReport> Run(const std::function<bool()>& start)
    {
        events.report.reset();
        jobs.stop = false;
        EXPECT_TRUE(start());
        return events.report;
    }

    FakeFtp ftp;
    FtpEngine engine{ftp};  // for the tests' own steps
    FakeLocalFiles files;
    ServerProfile profile;
    FtpListing shown;  // the FTP pane's listing of the profile's folder
    RecordingEvents events;
    FakeJobs jobs{ftp};
    // A clock that stands still unless a test moves it: progress is told at
    // each file's start and end.
    double now = 0;
    TransferBatch batch{jobs, files, events, [this] { return now; }};
};

const PaneRow kParent = {L"[...]", RowKind::Parent};

}  // namespace

TEST_F(TransferBatchTest, UploadsFilesAndTreesBelowTheFtpFolder)
{
    struct Case { const wchar_t* folder; const wchar_t* base; };
    for (const Case& c : {Case{L"www", L"/home/www"}, Case{L"", L"/home"}}) {
        profile.folder = c.folder;
        ftp.log.clear();
        events.shown.clear();
        events.rowsDone.clear();
        const auto report = Upload(L"C:\\Data", {kParent, {L"a.txt", RowKind::File}, {L"tree", RowKind::Folder}});
        ASSERT_TRUE(report);
        EXPECT_FALSE(report->HasProblems());
        const std::wstring base = c.base;
        EXPECT_EQ(Lines(ftp.log, L"RNFR"), (Log{L"RNFR " + base + L"/.a.txt.part-t RNTO " + base + L"/a.txt",
                                                 L"RNFR " + base + L"/tree/.x.txt.part-t RNTO " + base + L"/tree/x.txt",
                                                 L"RNFR " + base + L"/tree/sub/.y.txt.part-t RNTO " + base +
                                                     L"/tree/sub/y.txt"}))
            << c.folder;
        EXPECT_EQ(events.shown, (Log{L"C:\\Data\\tree"}));
        EXPECT_EQ(events.rowsDone, (Log{L"ftp", L"ftp"}));
        EXPECT_FALSE(ftp.HasFolder(base + L"/tree/empty"));
    }
}

TEST_F(TransferBatchTest, DroppedPathsFromSeveralFoldersGoIntoTheGivenFolder)
{
    files.AddFile(L"D:\\Other\\b.txt");
    ftp.AddFolder(L"/home/www/in");
    const auto report = Run([&] {
        return batch.UploadPaths(profile, L"www/in", {L"C:\\Data\\tree", L"D:\\Other\\b.txt"});
    });
    ASSERT_TRUE(report);
    EXPECT_EQ(Lines(ftp.log, L"RNFR"), (Log{L"RNFR /home/www/in/tree/.x.txt.part-t RNTO /home/www/in/tree/x.txt",
                                             L"RNFR /home/www/in/tree/sub/.y.txt.part-t RNTO /home/www/in/tree/sub/y.txt",
                                             L"RNFR /home/www/in/.b.txt.part-t RNTO /home/www/in/b.txt"}));
    EXPECT_FALSE(report->HasProblems());
}

TEST_F(TransferBatchTest, DownloadsIntoMissingLocalFoldersAndSummarisesWhatFailed)
{
    const auto report = Download(L"C:\\Dl", {kParent, {L"f.bin", RowKind::File}, {L"t", RowKind::Folder},
                                                   {L"gone.txt", RowKind::File}, {L"LPT1", RowKind::File}});
    ASSERT_TRUE(report);
    // Only the leading FTP folder is taken off: www/t/u/www stays whole below t.
    EXPECT_EQ(Lines(ftp.log, L"RETR"), (Log{L"RETR /home/www/f.bin > C:\\Dl\\f.bin",
                                             L"RETR /home/www/t/g.txt > C:\\Dl\\t\\g.txt",
                                             L"RETR /home/www/t/u/www/h.txt > C:\\Dl\\t\\u\\www\\h.txt",
                                             L"RETR /home/www/gone.txt > C:\\Dl\\gone.txt"}));
    EXPECT_EQ(Lines(files.log, L"MKDIR"), (Log{L"MKDIR C:\\Dl\\t", L"MKDIR C:\\Dl\\t\\u", L"MKDIR C:\\Dl\\t\\u\\www"}));
    EXPECT_EQ(report->FailedCount(), 4);
    // The reasons follow the names: the server's, or that this computer
    // cannot hold the name. What is refused before any transfer comes first.
    EXPECT_EQ(report->Message(L"%1 failed:", L"Unread:", kWords),
              L"4 failed:\nwww/t/x\\y.txt\nwww/t/CON/z.txt\nno name here\nwww/LPT1\nno name here\nwww/gone.txt\n"
              L"Server: 550 Failed to open file.\n\n"
              L"Unread:\nwww/t/locked\nServer: 550 Listing not allowed.");
    EXPECT_EQ(events.rowsDone, (Log{L"C:\\Dl", L"C:\\Dl", L"C:\\Dl", L"C:\\Dl"}));
}

TEST_F(TransferBatchTest, WithoutALocalFolderNothingIsFetchedAndEveryRowFails)
{
    const auto report = Download(L"", {kParent, {L"f.bin", RowKind::File}, {L"t", RowKind::Folder}});
    ASSERT_TRUE(report);
    EXPECT_EQ(report->Message(L"%1:", L"", {}), L"2:\nwww/f.bin\nwww/t");
    EXPECT_TRUE(ftp.log.empty());
    EXPECT_TRUE(files.log.empty());
}

TEST_F(TransferBatchTest, FailedUploadsAreNamedAndTheNextRowStillGoes)
{
    ftp.refuseEnter.insert(L"/home/www/tree");
    ftp.AddFile(L"/home/www/tree", 0);  // a file where the folder would go: it can be neither entered nor made
    const auto report = Upload(L"C:\\Data", {{L"tree", RowKind::Folder}, {L"a.txt", RowKind::File}});
    ASSERT_TRUE(report);
    EXPECT_EQ(report->Message(L"%1 failed:", L"", {L"%1", L"", L"", L""}),
              L"2 failed:\nC:\\Data\\tree\\x.txt\n550 Failed to change directory.\nC:\\Data\\tree\\sub\\y.txt\n"
              L"550 Failed to change directory.");
    EXPECT_EQ(Lines(ftp.log, L"STOR"), (Log{L"STOR C:\\Data\\a.txt > /home/www/.a.txt.part-t"}));
}

TEST_F(TransferBatchTest, StopEndsTheFileAfterItsBlockAndNamesWhatWasNotTransferred)
{
    files.AddFile(L"C:\\Data\\big.bin", 3 * kMiB);
    events.answers = {OverwriteChoice::kReplace};  // for the second upload
    // Every update is due on a clock that moves; the second stops the batch.
    int blocks = 0;
    events.onProgress = [&] {
        now += 1;
        jobs.stop = jobs.stop || ++blocks > 1;
    };
    const auto up = Upload(L"C:\\Data", {{L"big.bin", RowKind::File}, {L"a.txt", RowKind::File}});
    ASSERT_TRUE(up);
    // The partial upload was deleted again; a.txt never started.
    EXPECT_EQ(Lines(ftp.log, L"DELE"), (Log{L"DELE /home/www/.big.bin.part-t"}));
    EXPECT_FALSE(ftp.HasFile(L"/home/www/big.bin"));
    EXPECT_EQ(up->Message(L"%1 failed:", L"", kWords, L"", L"Stopped, %1 not transferred:"),
              L"Stopped, 2 not transferred:\nC:\\Data\\big.bin\nC:\\Data\\a.txt");

    // Replacing a file: its part stays where the server refuses to delete
    // it, and the file itself stays as it was.
    ftp.AddFile(L"/home/www/big.bin", 3 * kMiB, 42);
    ftp.refuseDelete.insert(L"/home/www/.big.bin.part-t");
    blocks = 0;
    events.permille.clear();
    const auto kept = Upload(L"C:\\Data", {{L"big.bin", RowKind::File}});
    EXPECT_EQ(kept->Message(L"%1 failed:", L"", kWords, L"", L"Stopped:"),
              L"Stopped:\nC:\\Data\\big.bin\n\n1 failed:\nwww/.big.bin.part-t\nleft on server");
    FtpListing www;
    engine.ListFtpFolder(www, profile.login, L"www");
    EXPECT_EQ(www.fileTimes[std::find(www.fileNames.begin(), www.fileNames.end(), L"big.bin") - www.fileNames.begin()],
              42u);

    ftp.AddFile(L"/home/www/down.bin", 3 * kMiB);
    blocks = 0;
    events.permille.clear();
    const auto down = Download(L"C:\\Dl", {{L"down.bin", RowKind::File}});
    EXPECT_EQ(down->Message(L"%1 failed:", L"", kWords, L"", L"Stopped:"), L"Stopped:\nwww/down.bin");
    EXPECT_EQ(down->FailedCount(), 0);
    EXPECT_TRUE(events.rowsDone.empty());
}

TEST_F(TransferBatchTest, EachReplaceAnswerDecidesForItsFileOrForTheRest)
{
    // Three files exist on both sides: the local downloads' targets, and on
    // the server in the folder shown and inside the uploaded tree.
    for (const wchar_t* name : {L"f1", L"f2", L"f3"}) {
        ftp.AddFile(std::wstring(L"/home/www/") + name, 5);
        shown.fileNames.push_back(name);
        shown.fileSizes.push_back(5);
        files.AddFile(std::wstring(L"C:\\Dl\\") + name, 7);
        files.AddFile(std::wstring(L"C:\\Data\\up\\") + name, 9);
        ftp.AddFile(std::wstring(L"/home/www/up/") + name, 2);
    }
    files.AddFile(L"C:\\Data\\up\\new.txt", 1);
    files.AddFile(L"C:\\Data\\up\\fresh\\f1", 1);  // a folder the server has not got yet
    shown.folderNames = {L"up"};
    using C = OverwriteChoice;
    struct Case {
        std::vector<C> answers;
        int asked;
        int transferred;
        bool stopped;
    };
    for (const Case& c : {Case{{C::kReplace, C::kSkip, C::kReplace}, 3, 2, false}, Case{{C::kReplaceAll}, 1, 3, false},
                          Case{{C::kSkip, C::kSkip, C::kSkip}, 3, 0, false}, Case{{C::kSkip, C::kSkipAll}, 2, 0, false},
                          Case{{C::kReplace, C::kCancel}, 2, 1, true}}) {
        for (const bool upload : {false, true}) {
            events.answers = c.answers;
            events.asked.clear();
            // An earlier case's uploads.
            engine.DeleteFtpFile(profile.login, L"www/up", L"new.txt");
            engine.DeleteFtpFile(profile.login, L"www/up/fresh", L"f1");
            engine.RemoveFtpFolder(profile.login, L"www/up", L"fresh");
            ftp.log.clear();
            const std::vector<PaneRow> rows = {{L"f1", RowKind::File}, {L"f2", RowKind::File}, {L"f3", RowKind::File}};
            const auto report = upload ? Upload(L"C:\\Data", {{L"up", RowKind::Folder}})
                                       : Download(L"C:\\Dl", rows);
            ASSERT_TRUE(report);
            EXPECT_EQ(events.asked.size(), static_cast<std::size_t>(c.asked)) << upload;
            // The upload's new files have no twins: they go unasked unless the batch was cancelled.
            const std::size_t moved = Lines(ftp.log, upload ? L"STOR" : L"RETR").size();
            EXPECT_EQ(moved, static_cast<std::size_t>(c.transferred + (upload && !c.stopped ? 2 : 0))) << upload;
            EXPECT_EQ(report->WasStopped(), c.stopped) << upload;
            EXPECT_EQ(report->FailedCount(), 0) << upload;
            // The tree's folder is listed once for all its files, the new one not
            // at all; the folder shown once more when the row is done.
            Log lists = {L"LIST /home/www", L"LIST /home/www/up"};
            if (!c.stopped)
                lists.push_back(L"LIST /home/www");
            EXPECT_EQ(Lines(ftp.log, L"LIST"), upload ? lists : Log{});
        }
    }
}

TEST_F(TransferBatchTest, NamesTheServerCannotBeSentAndLinkedFoldersStayHere)
{
    files.AddFile(L"C:\\Data\\\x0444.txt");
    files.AddFile(L"C:\\Data\\tree\\\x0444\\b.txt");
    files.AddFile(L"C:\\Data\\tree\\link\\c.txt");
    files.linkedFolders.insert(L"C:\\Data\\tree\\link");
    const auto report = Upload(
        L"C:\\Data", {{L"a.txt", RowKind::File}, {L"\x0444.txt", RowKind::File}, {L"tree", RowKind::Folder}});
    ASSERT_TRUE(report);
    EXPECT_EQ(report->Message(L"%1 failed:", L"Not read:", kWords),
              L"2 failed:\nC:\\Data\\\x0444.txt\nnot sendable\nC:\\Data\\tree\\\x0444\\b.txt\nnot sendable"
              L"\n\nNot read:\nC:\\Data\\tree\\link\nlink");
    EXPECT_EQ(Lines(ftp.log, L"STOR").size(), 3u);  // a.txt, x.txt, sub/y.txt
    EXPECT_FALSE(ftp.HasFolder(L"/home/www/tree/\x0444"));
}

TEST_F(TransferBatchTest, AStopWhileATargetFolderIsListedFailsNoFile)
{
    files.AddFile(L"C:\\Data\\b.txt");
    ftp.onListing = [this](const std::wstring&) { jobs.stop = true; };
    const auto report = Upload(L"C:\\Data", {{L"a.txt", RowKind::File}, {L"b.txt", RowKind::File}});
    EXPECT_TRUE(report->WasStopped() && report->FailedCount() == 0);
    EXPECT_TRUE(Lines(ftp.log, L"STOR").empty());
}

TEST_F(TransferBatchTest, BrokenAndShortTransfersFailAndTheBatchGoesOn)
{
    ftp.AddFile(L"/home/www/broken.bin", 3 * kMiB);
    ftp.AddFile(L"/home/www/short.bin", 3 * kMiB);
    ftp.breakAfter[L"/home/www/broken.bin"] = kMiB;
    ftp.sendsOnly[L"/home/www/short.bin"] = 2 * kMiB;
    // f.bin grew from 1 byte to 2 MiB since it was listed: it arrives whole.
    ftp.sendsOnly[L"/home/www/f.bin"] = 2 * kMiB;
    for (const wchar_t* name : {L"broken.bin", L"short.bin", L"f.bin"}) {
        shown.fileNames.push_back(name);
        shown.fileSizes.push_back(name == std::wstring(L"f.bin") ? 1 : 3 * kMiB);
    }
    const auto report = Download(
        L"C:\\Dl", {{L"broken.bin", RowKind::File}, {L"short.bin", RowKind::File}, {L"f.bin", RowKind::File}});
    ASSERT_TRUE(report);
    EXPECT_EQ(report->Message(L"%1 failed:", L"", kWords),
              L"2 failed:\nwww/broken.bin\nServer: 426 Connection closed; transfer aborted.\nwww/short.bin\nincomplete");
    EXPECT_EQ(report->MovedCount(), 1);
    EXPECT_EQ(Lines(ftp.log, L"RETR").size(), 3u);
    EXPECT_EQ(events.rowsDone.size(), 3u);
    EXPECT_EQ(events.permille.back(), 1000);
}

TEST_F(TransferBatchTest, ProgressReachesTheWholeForEmptyAndHugeFiles)
{
    files.AddFile(L"C:\\Data\\empty.txt", 0);
    files.AddFile(L"C:\\Data\\huge.iso", 5 * 1024 * kMiB);
    struct Case { const wchar_t* name; std::size_t updates; };
    // The huge file's 5120 blocks are told at most ten times a second: here
    // the clock stands still, so only its start and end.
    for (const Case& c : {Case{L"empty.txt", 2}, Case{L"huge.iso", 2}}) {
        events.permille.clear();
        ASSERT_FALSE(Upload(L"C:\\Data", {{c.name, RowKind::File}})->HasProblems());
        ASSERT_EQ(events.permille.size(), c.updates) << c.name;
        EXPECT_EQ(events.permille.back(), 1000) << c.name;
    }
    EXPECT_TRUE(ftp.HasFile(L"/home/www/huge.iso"));
}

TEST_F(TransferBatchTest, FilesMoveSideBySideOnOneLoginPerSessionAndOnFewerWhenRefused)
{
    std::vector<PaneRow> rows;
    for (int i = 0; i < 12; ++i) {
        const std::wstring name = L"n" + std::to_wstring(i) + L".txt";
        files.AddFile(L"C:\\Data\\" + name, 10);
        rows.push_back({name, RowKind::File});
    }
    struct Case { int connections; int limit; int logins; int most; std::vector<int> fewer; };
    // A server allowing one login a user: the refused extra logins are no
    // failures. The files of the case before are replaced unasked.
    events.answers = {OverwriteChoice::kReplaceAll, OverwriteChoice::kReplaceAll, OverwriteChoice::kReplaceAll};
    for (const Case& c : {Case{1, 0, 1, 1, {}}, Case{4, 0, 4, 4, {}}, Case{4, 1, 1, 1, {3, 2, 1}}}) {
        profile.connections = c.connections;
        ftp.loginLimit = c.limit;
        ftp.log.clear();
        ftp.mostOpenSessions = 0;
        events.sessions.clear();
        // Each transfer waits a moment, so that the sessions overlap.
        ftp.onTransfer = [](const std::wstring&) { std::this_thread::sleep_for(std::chrono::milliseconds(5)); };
        const auto report = Upload(L"C:\\Data", rows);
        ASSERT_TRUE(report);
        EXPECT_EQ(report->FailedCount(), 0) << c.connections;
        EXPECT_EQ(Lines(ftp.log, L"STOR").size(), rows.size()) << c.connections;
        // Logins that worked: one per session, kept for every file and the refreshes.
        EXPECT_EQ(ftp.Logins() - static_cast<int>(c.fewer.size()), c.logins) << c.connections;
        EXPECT_EQ(ftp.mostOpenSessions, c.most) << c.connections;
        std::sort(events.sessions.begin(), events.sessions.end(), std::greater<int>());
        EXPECT_EQ(events.sessions, c.fewer) << c.connections;
        for (const PaneRow& row : rows)
            EXPECT_TRUE(ftp.HasFile(L"/home/www/" + row.name));
        for (int i = 0; i < 4; ++i)
            jobs.Start(FtpWorkKind::kListing, [](FtpJobContext& context) {  // the next batch logs in anew
                for (FtpEngine* engine : context.MoreEngines(4))
                    engine->CloseSession();
                context.Engine().CloseSession();
                return FtpApply();
            });
    }
}

TEST_F(TransferBatchTest, ASessionTheServerDroppedIsOpenedOnceMoreAndTheBatchCompletes)
{
    files.AddFile(L"C:\\Data\\b.txt");
    files.AddFile(L"C:\\Data\\c.txt");
    ftp.onTransfer = [this](const std::wstring& path) {
        if (path == L"/home/www/.b.txt.part-t")
            ftp.DropSessions();  // after b's data, before c's commands
    };
    const auto report =
        Upload(L"C:\\Data", {{L"a.txt", RowKind::File}, {L"b.txt", RowKind::File}, {L"c.txt", RowKind::File}});
    ASSERT_TRUE(report);
    EXPECT_FALSE(report->HasProblems());
    EXPECT_EQ(ftp.Logins(), 2);
    EXPECT_TRUE(ftp.HasFile(L"/home/www/c.txt"));
}

TEST_F(TransferBatchTest, NoFileStartsWhileTheReplaceQuestionIsOpen)
{
    std::vector<PaneRow> rows;
    for (int i = 0; i < 8; ++i) {
        const std::wstring name = L"q" + std::to_wstring(i) + L".txt";
        files.AddFile(L"C:\\Data\\" + name, 10);
        rows.push_back({name, RowKind::File});
    }
    ftp.AddFile(L"/home/www/Q3.TXT", 1);  // the same name to a server that ignores case
    profile.connections = 4;
    std::mutex lock;
    bool open = false;
    int startedWhileOpen = 0;
    ftp.onTransfer = [&](const std::wstring&) {
        const std::lock_guard<std::mutex> guard(lock);
        startedWhileOpen += open;
    };
    events.answers = {OverwriteChoice::kReplace};
    // A start that raced the question's opening is past after a moment.
    events.whileAsking = [&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        { const std::lock_guard<std::mutex> guard(lock); open = true; }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        { const std::lock_guard<std::mutex> guard(lock); open = false; }
    };
    const auto report = Upload(L"C:\\Data", rows);
    ASSERT_TRUE(report);
    EXPECT_EQ(events.asked, (Log{L"q3.txt"}));
    EXPECT_EQ(startedWhileOpen, 0);
    EXPECT_EQ(Lines(ftp.log, L"STOR").size(), rows.size());
}
