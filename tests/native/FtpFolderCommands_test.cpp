// The FTP pane's commands against the fake server: where navigation leads,
// what a failed listing leaves, add-folder mode and deletion, each with the
// engine calls it makes.
#include "FakeJobs.h"

#include "ftppane/FtpFolderCommands.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using Log = std::vector<std::wstring>;

class RecordingFtpView : public FtpPaneView {
public:
    std::wstring field;
    bool adding = false;
    Log events;

    std::wstring PathText() const override { return field; }
    void SetPathText(const std::wstring& text) override { field = text; }
    void ShowAddFolderMode(bool on) override { adding = on; }
    void SelectName(const std::wstring& name) override { events.push_back(L"select " + name); }
    void ShowDone(FtpWorkKind, int count, const std::wstring& name) override
    {
        done.push_back(std::to_wstring(count) + L" " + name);
    }
    Log done;
    void ShowRows(const FtpListing& listing) override
    {
        std::wstring rows;
        for (const std::wstring& name : listing.folderNames)
            rows += L" [" + name + L"]";
        for (const std::wstring& name : listing.fileNames)
            rows += L" " + name;
        events.push_back(L"rows" + rows);
    }
    void ReportListingFailure(const FtpFailure& reason) override { events.push_back(L"failed " + reason.text); }
    void ReportFolderNotCreated(const std::wstring& path, const FtpFailure& reason) override
    {
        events.push_back(L"not created " + path + L": " + reason.text);
    }
    void ShowDeleting(const std::wstring& path) override { events.push_back(L"deleting " + path); }
    void ReportDeleteProblems(const FailureReport& report) override
    {
        events.push_back(L"problems " + report.Message(L"%1:", L"unread:", {L"%1", L"no answer", L"short", L"left"}, L"limit"));
    }
    void ReportRenameProblem(RenameProblem problem, const std::wstring& name, const std::wstring& reason) override
    {
        events.push_back(L"problem " + std::to_wstring(static_cast<int>(problem)) + L" " + name + L" " + reason);
    }
};

class FtpFolderCommandsTest : public ::testing::Test {
protected:
    FtpFolderCommandsTest()
    {
        ftp.loginFolder = L"/home";
        ftp.AddFolder(L"/home/a/b");
        ftp.AddFile(L"/home/a/f.txt", 3);
        ftp.AddFolder(L"/home/locked");
        ftp.refuseListing.insert(L"/home/locked");
        profile.login = {L"ftp://host", L"u", L"secret"};
    }

    // Clears what the fake server and the view recorded so far.
    void Forget()
    {
        ftp.log.clear();
        view.events.clear();
    }
    // The first event that begins so, or "".
    std::wstring EventStarting(const std::wstring& start) const
    {
        const auto found = std::find_if(view.events.begin(), view.events.end(),
                                        [&](const std::wstring& event) { return event.rfind(start, 0) == 0; });
        return found == view.events.end() ? std::wstring() : *found;
    }

    FakeFtp ftp;
    ServerProfile profile;
    FtpListing listing;
    RecordingFtpView view;
    FakeJobs jobs{ftp};
    FtpFolderCommands commands{jobs, profile, listing, view};
};

}  // namespace

TEST_F(FtpFolderCommandsTest, NavigationStaysRelativeToTheLoginDirectory)
{
    // One login for all of them: the session is kept, and the login
    // directory is entered by its name.
    struct Step { PaneRow row; const wchar_t* folder; Log log; };
    const Step steps[] = {
        {{L"a", RowKind::Folder}, L"a", {L"OPEN host:21 u", L"CWD /home/a", L"LIST /home/a"}},
        {{L"b", RowKind::Folder}, L"a/b", {L"CWD /home/a/b", L"LIST /home/a/b"}},
        {{L"[...]", RowKind::Parent}, L"a", {L"CWD /home/a", L"LIST /home/a"}},
        {{L"[...]", RowKind::Parent}, L"", {L"CWD /home", L"LIST /home"}},
    };
    for (const Step& step : steps) {
        Forget();
        commands.Open(step.row);
        EXPECT_EQ(profile.folder, step.folder);
        EXPECT_EQ(view.field, std::wstring(L"ftp://host/") + step.folder);
        EXPECT_EQ(ftp.log, step.log);
        EXPECT_EQ(jobs.kinds.back(), FtpWorkKind::kListing);
    }
    Forget();
    commands.Open({L"f.txt", RowKind::File});
    EXPECT_TRUE(ftp.log.empty());
    EXPECT_TRUE(view.events.empty());
}

TEST_F(FtpFolderCommandsTest, AFolderThatCannotBeListedKeepsFolderFieldAndRows)
{
    profile.folder = L"";
    commands.Refresh();
    const std::wstring field = view.field;
    Forget();
    commands.Open({L"locked", RowKind::Folder});
    EXPECT_EQ(profile.folder, L"");
    EXPECT_EQ(view.field, field);
    EXPECT_EQ(view.events, (Log{L"failed 550 Listing not allowed."}));
}

TEST_F(FtpFolderCommandsTest, AddFolderCreatesTheTypedNameBelowTheFolderShown)
{
    // The folder shown was listed just before, on the same session.
    struct Case { const wchar_t* folder; const wchar_t* typed; Log made; Log listing; };
    const Case cases[] = {
        {L"a", L"new", {L"CWD /home/a/new", L"MKD /home/a/new"}, {L"LIST /home/a"}},
        // From the login directory the new folder stays relative to it.
        {L"", L"top", {L"CWD /home/top", L"MKD /home/top"}, {L"LIST /home"}},
        {L"a", L"", {}, {L"LIST /home/a"}},
        // An existing folder is entered, not made again.
        {L"a", L"b", {L"CWD /home/a/b"}, {L"CWD /home/a", L"LIST /home/a"}},
    };
    for (const Case& c : cases) {
        profile.folder = c.folder;
        commands.Refresh();
        const std::wstring shown = view.field;
        commands.StartAddFolder();
        EXPECT_TRUE(view.adding);
        EXPECT_EQ(view.field, L"");
        view.field = c.typed;
        commands.StartAddFolder();  // a second click keeps what was typed
        EXPECT_EQ(view.field, c.typed);
        Forget();
        commands.ConfirmAddFolder();
        EXPECT_FALSE(view.adding);
        EXPECT_FALSE(commands.InAddFolderMode());
        Log expected = c.made;
        expected.insert(expected.end(), c.listing.begin(), c.listing.end());
        EXPECT_EQ(ftp.log, expected) << c.folder << L" + " << c.typed;
        EXPECT_EQ(view.field, shown);
    }
    EXPECT_TRUE(ftp.HasFolder(L"/home/a/new"));
    EXPECT_TRUE(ftp.HasFolder(L"/home/top"));
}

TEST_F(FtpFolderCommandsTest, AFailedListingAfterAddFolderShowsTheFieldAsBefore)
{
    profile.folder = L"a";
    commands.Refresh();
    const std::wstring shown = view.field;
    commands.StartAddFolder();
    view.field = L"x";
    ftp.refuseListing.insert(L"/home/a");
    commands.ConfirmAddFolder();
    EXPECT_EQ(view.field, shown);
    EXPECT_EQ(profile.folder, L"a");
}

TEST_F(FtpFolderCommandsTest, DeleteRemovesFilesAndTreesInRowOrderThenListsOnce)
{
    ftp.AddFile(L"/home/a/t/inner.txt", 1);
    ftp.AddFile(L"/home/a/g.txt", 1);
    profile.folder = L"a";
    Forget();
    commands.Delete({{L"[...]", RowKind::Parent}, {L"g.txt", RowKind::File}, {L"t", RowKind::Folder},
                     {L"f.txt", RowKind::File}});
    Log deletions;
    int listings = 0;
    for (const std::wstring& line : ftp.log) {
        if (line.rfind(L"DELE", 0) == 0 || line.rfind(L"RMD", 0) == 0)
            deletions.push_back(line);
        listings += line == L"LIST /home/a";
    }
    EXPECT_EQ(deletions, (Log{L"DELE /home/a/g.txt", L"RMD /home/a/t", L"DELE /home/a/t/inner.txt",
                              L"RMD /home/a/t", L"DELE /home/a/f.txt"}));
    EXPECT_EQ(listings, 1);
    EXPECT_EQ(view.events, (Log{L"deleting a/t/inner.txt", L"rows [b]"}));
    EXPECT_EQ(view.done, (Log{L"3 "}));  // the parent row is no entry
    EXPECT_EQ(jobs.kinds, std::vector<FtpWorkKind>{FtpWorkKind::kDeleting});
    EXPECT_TRUE(ftp.HasFolder(L"/home/a/b"));
}

TEST_F(FtpFolderCommandsTest, AProfileFromTheDialogReplacesTheLiveOneAndIsListed)
{
    ServerProfile other;
    other.login = {L"ftp://other:2121", L"v", L"secret"};
    other.folder = L"a/b";
    commands.UseProfile(other);
    EXPECT_EQ(profile.login.serverName, L"ftp://other:2121");
    EXPECT_EQ(profile.folder, L"a/b");
    EXPECT_EQ(ftp.log, (Log{L"OPEN other:2121 v", L"CWD /home/a/b", L"LIST /home/a/b"}));
    EXPECT_EQ(view.field, L"ftp://other:2121/a/b");
}

TEST_F(FtpFolderCommandsTest, AProfileThatCannotBeListedLeavesNoRowOfTheFolderBefore)
{
    profile.folder = L"a";
    commands.Refresh();
    ServerProfile other = profile;
    other.folder = L"locked";
    Forget();
    commands.UseProfile(other);
    EXPECT_EQ(profile.folder, L"locked");
    EXPECT_EQ(view.field, L"ftp://host/locked");
    EXPECT_EQ(view.events, (Log{L"failed 550 Listing not allowed.", L"rows"}));
}

TEST_F(FtpFolderCommandsTest, ARefreshWhileANameIsTypedKeepsTheName)
{
    profile.folder = L"a";
    commands.Refresh();
    commands.StartAddFolder();
    view.field = L"typed";
    commands.Refresh();  // an upload's refresh, for instance
    EXPECT_EQ(view.field, L"typed");
    commands.ConfirmAddFolder();
    EXPECT_TRUE(ftp.HasFolder(L"/home/a/typed"));
    EXPECT_EQ(view.field, L"ftp://host/a");
}

TEST_F(FtpFolderCommandsTest, EntriesATreeDeletionCannotReachAreReported)
{
    ftp.AddFile(L"/home/a/t/f.txt", 1);
    ftp.AddRawEntry(L"/home/a/t", {L"x/y", 0, 0, 1});
    profile.folder = L"a";
    Forget();
    commands.Delete({{L"t", RowKind::Folder}});
    // The folder stays for the entry no path reaches, and both are named.
    EXPECT_EQ(view.events.back(), L"problems 2:\na/t/x/y\na/t\n550 Remove directory operation failed.");
    EXPECT_FALSE(ftp.HasFile(L"/home/a/t/f.txt"));
}

TEST_F(FtpFolderCommandsTest, RenameChecksTheNameAndTheFolderFirstAndNeverReplaces)
{
    ftp.AddFile(L"/home/a/g.txt", 7);
    ftp.refuseRename.insert(L"/home/a/b");
    profile.folder = L"a";
    const auto problem = [](RenameProblem p, const wchar_t* name, const wchar_t* reason = L"") {
        return L"problem " + std::to_wstring(static_cast<int>(p)) + L" " + name + L" " + reason;
    };
    struct Case { PaneRow row; const wchar_t* typed; std::wstring problem; Log log; };
    const Case cases[] = {
        {{L"f.txt", RowKind::File}, L"a/b", problem(RenameProblem::kForbiddenServer, L"a/b"), {}},
        {{L"f.txt", RowKind::File}, L"", problem(RenameProblem::kEmpty, L""), {}},
        {{L"[...]", RowKind::Parent}, L"x", L"", {}},
        // Taken, also in another case: the server is never asked to rename.
        {{L"f.txt", RowKind::File}, L"G.TXT", problem(RenameProblem::kExists, L"G.TXT"),
         {L"OPEN host:21 u", L"CWD /home/a", L"LIST /home/a", L"LIST /home/a"}},
        {{L"b", RowKind::Folder}, L"c", problem(RenameProblem::kFailed, L"b", L"550 Not allowed."),
         {L"LIST /home/a", L"RNFR /home/a/b RNTO /home/a/c", L"LIST /home/a"}},
        {{L"f.txt", RowKind::File}, L"\x0444", problem(RenameProblem::kNotSendable, L"\x0444"), {L"LIST /home/a"}},
        {{L"f.txt", RowKind::File}, L"h.txt", L"",
         {L"LIST /home/a", L"RNFR /home/a/f.txt RNTO /home/a/h.txt", L"LIST /home/a"}},
    };
    for (const Case& c : cases) {
        Forget();
        commands.Rename(c.row, c.typed);
        EXPECT_EQ(ftp.log, c.log) << c.typed;
        EXPECT_EQ(EventStarting(L"problem"), c.problem) << c.typed;
    }
    EXPECT_EQ(view.events.back(), L"select h.txt");  // listed again
    EXPECT_EQ(view.done, (Log{L"1 h.txt"}));  // refused names are no outcome
    EXPECT_TRUE(ftp.HasFile(L"/home/a/h.txt"));
    EXPECT_TRUE(ftp.HasFile(L"/home/a/g.txt"));
    EXPECT_TRUE(ftp.HasFolder(L"/home/a/b"));
}

TEST_F(FtpFolderCommandsTest, FailedCreationsAndDeletionsAreReportedWithTheServersReason)
{
    ftp.AddFile(L"/home/a/keep/undeletable.txt", 1);
    ftp.AddFile(L"/home/a/keep/gone.txt", 1);
    ftp.AddFile(L"/home/a/locked.txt", 1);
    ftp.refuseDelete = {L"/home/a/keep/undeletable.txt", L"/home/a/locked.txt"};
    profile.folder = L"a";
    Forget();
    commands.Delete({{L"keep", RowKind::Folder}, {L"locked.txt", RowKind::File}, {L"f.txt", RowKind::File}});
    // The tree names the entry that kept it, not its own refused removal.
    EXPECT_EQ(view.events.back(), L"problems 2:\na/keep\n550 Delete operation failed.\n"
                                  L"a/locked.txt\n550 Delete operation failed.");
    EXPECT_FALSE(ftp.HasFile(L"/home/a/keep/gone.txt"));
    EXPECT_FALSE(ftp.HasFile(L"/home/a/f.txt"));

    commands.StartAddFolder();
    view.field = L"no/such";  // a missing level above is not made
    Forget();
    commands.ConfirmAddFolder();
    EXPECT_EQ(EventStarting(L"not created"), L"not created a/no/such: 550 Create directory operation failed.");
    EXPECT_FALSE(ftp.HasFolder(L"/home/a/no"));
    commands.StartAddFolder();
    view.field = L"\x0444";
    Forget();
    commands.ConfirmAddFolder();
    EXPECT_EQ(ftp.log, (Log{L"LIST /home/a"}));  // no MKD
}
