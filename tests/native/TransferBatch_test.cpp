// The transfer batch against the fake server and file system: the engine
// calls of uploads and downloads with their relative paths, the summary of
// what failed, the busy guard and stopping.
#include "FakeFtp.h"
#include "FakeLocalFiles.h"

#include "transfer/TransferBatch.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using Log = std::vector<std::wstring>;

class RecordingEvents : public TransferEvents {
public:
    Log shown;
    Log rowsDone;
    // Asked before every file; stops the batch once it answers true.
    std::function<bool()> stop = [] { return false; };

    void ShowTransferring(const std::wstring& path) override { shown.push_back(path); }
    bool ShouldStop() override { return stop(); }
    void UploadRowDone() override { rowsDone.push_back(L"ftp"); }
    void DownloadRowDone(const std::wstring& localFolder) override { rowsDone.push_back(localFolder); }
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
        files.AddFile(L"C:\\Data\\a.txt");
        files.AddFile(L"C:\\Data\\tree\\x.txt");
        files.AddFile(L"C:\\Data\\tree\\sub\\y.txt");
        files.AddFolder(L"C:\\Data\\tree\\empty");
        files.AddFolder(L"C:\\Dl");
        ftp.AddFile(L"/home/www/f.bin", 1);
        ftp.AddFile(L"/home/www/t/g.txt", 1);
        ftp.AddFile(L"/home/www/t/u/www/h.txt", 1);
        ftp.AddFile(L"/home/www/t/CON/z.txt", 1);
        ftp.AddFolder(L"/home/www/t/locked");
        ftp.AddRawEntry(L"/home/www/t", {L"x\\y.txt", 0, 0, 1});  // no path reaches it
        ftp.refuseListing.insert(L"/home/www/t/locked");
    }

    FakeFtp ftp;
    FtpEngine engine{ftp};
    FakeLocalFiles files;
    ServerProfile profile;
    FtpListing work;
    RecordingEvents events;
    TransferBatch batch{engine, files, profile, work, events};
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
        const auto report = batch.Upload(L"C:\\Data", {kParent, {L"a.txt", RowKind::File}, {L"tree", RowKind::Folder}});
        ASSERT_TRUE(report);
        EXPECT_FALSE(report->HasProblems());
        const std::wstring base = c.base;
        EXPECT_EQ(Lines(ftp.log, L"STOR"), (Log{L"STOR C:\\Data\\a.txt > " + base + L"/a.txt",
                                                 L"STOR C:\\Data\\tree\\x.txt > " + base + L"/tree/x.txt",
                                                 L"STOR C:\\Data\\tree\\sub\\y.txt > " + base + L"/tree/sub/y.txt"}))
            << c.folder;
        EXPECT_EQ(events.shown, (Log{L"C:\\Data\\a.txt", L"/tree", L"/tree/sub"}));
        EXPECT_EQ(events.rowsDone, (Log{L"ftp", L"ftp"}));
        EXPECT_FALSE(ftp.HasFolder(base + L"/tree/empty"));
    }
}

TEST_F(TransferBatchTest, DownloadsIntoMissingLocalFoldersAndSummarisesWhatFailed)
{
    const auto report = batch.Download(L"C:\\Dl", {kParent, {L"f.bin", RowKind::File}, {L"t", RowKind::Folder},
                                                   {L"gone.txt", RowKind::File}, {L"LPT1", RowKind::File}});
    ASSERT_TRUE(report);
    // Only the leading FTP folder is taken off: www/t/u/www stays whole below t.
    EXPECT_EQ(Lines(ftp.log, L"RETR"), (Log{L"RETR /home/www/f.bin > C:\\Dl\\f.bin",
                                             L"RETR /home/www/t/g.txt > C:\\Dl\\t\\g.txt",
                                             L"RETR /home/www/t/u/www/h.txt > C:\\Dl\\t\\u\\www\\h.txt",
                                             L"RETR /home/www/gone.txt > C:\\Dl\\gone.txt"}));
    EXPECT_EQ(Lines(files.log, L"MKDIR"), (Log{L"MKDIR C:\\Dl\\t", L"MKDIR C:\\Dl\\t\\u", L"MKDIR C:\\Dl\\t\\u\\www"}));
    EXPECT_EQ(report->FailedCount(), 4);
    // The server's reasons follow the names; names refused here have none.
    EXPECT_EQ(report->Message(L"%1 failed:", L"Unread:", {L"Server: %1", L"silence"}),
              L"4 failed:\nwww/t/x\\y.txt\nwww/t/CON/z.txt\nwww/gone.txt\nServer: 550 Failed to open file.\nwww/LPT1\n\n"
              L"Unread:\nwww/t/locked\nServer: 550 Listing not allowed.");
    EXPECT_EQ(events.rowsDone, (Log{L"C:\\Dl", L"C:\\Dl", L"C:\\Dl", L"C:\\Dl"}));
}

TEST_F(TransferBatchTest, WithoutALocalFolderNothingIsFetchedAndEveryRowFails)
{
    const auto report = batch.Download(L"", {kParent, {L"f.bin", RowKind::File}, {L"t", RowKind::Folder}});
    ASSERT_TRUE(report);
    EXPECT_EQ(report->Message(L"%1:", L"", {}), L"2:\nwww/f.bin\nwww/t");
    EXPECT_TRUE(ftp.log.empty());
    EXPECT_TRUE(files.log.empty());
}

TEST_F(TransferBatchTest, FailedUploadsAreNamedAndTheNextRowStillGoes)
{
    ftp.refuseEnter.insert(L"/home/www/tree");
    ftp.AddFile(L"/home/www/tree", 0);  // a file where the folder would go: it can be neither entered nor made
    const auto report = batch.Upload(L"C:\\Data", {{L"tree", RowKind::Folder}, {L"a.txt", RowKind::File}});
    ASSERT_TRUE(report);
    EXPECT_EQ(report->Message(L"%1 failed:", L"", {L"%1", L""}),
              L"2 failed:\nC:\\Data\\tree\\x.txt\n550 Failed to change directory.\nC:\\Data\\tree\\sub\\y.txt\n"
              L"550 Failed to change directory.");
    EXPECT_EQ(Lines(ftp.log, L"STOR"), (Log{L"STOR C:\\Data\\a.txt > /home/www/a.txt"}));
}

TEST_F(TransferBatchTest, ASecondBatchWhileOneRunsIsRefused)
{
    int nested = 0;
    int pumps = 0;
    bool busyDuringPump = false;
    ftp.onPump = [&] {
        if (pumps++ > 0)
            return;  // a nested batch that did start pumps too
        busyDuringPump = batch.IsBusy();
        nested += batch.Upload(L"C:\\Data", {{L"a.txt", RowKind::File}}).has_value();
        nested += batch.Download(L"C:\\Dl", {{L"f.bin", RowKind::File}}).has_value();
    };
    ASSERT_TRUE(batch.Upload(L"C:\\Data", {{L"a.txt", RowKind::File}}));
    EXPECT_TRUE(busyDuringPump);
    EXPECT_EQ(nested, 0);
    EXPECT_EQ(Lines(ftp.log, L"STOR").size(), 1u);
    EXPECT_FALSE(batch.IsBusy());
}

TEST_F(TransferBatchTest, AStopEndsTheBatchAfterTheCurrentFile)
{
    events.stop = [this] { return !events.shown.empty(); };
    const auto report = batch.Upload(L"C:\\Data", {{L"tree", RowKind::Folder}, {L"a.txt", RowKind::File}});
    ASSERT_TRUE(report);
    EXPECT_EQ(Lines(ftp.log, L"STOR"), (Log{L"STOR C:\\Data\\tree\\x.txt > /home/www/tree/x.txt"}));
    EXPECT_TRUE(events.rowsDone.empty());
    EXPECT_FALSE(report->HasProblems());
}
