// The local pane's commands against an in-memory file system: navigation up
// to the root, opening files, add-folder mode and deletion.
#include "FakeLocalFiles.h"

#include "localpane/LocalFolderCommands.h"

#include <gtest/gtest.h>

namespace {

using Log = std::vector<std::wstring>;

class RecordingLocalView : public LocalPaneView {
public:
    std::wstring path;
    bool adding = false;
    Log rows;  // the names of the last rows shown, folders in brackets
    Log opened;

    std::wstring PathText() const override { return path; }
    void SetPathText(const std::wstring& text) override { path = text; }
    void ShowAddFolderMode(bool on) override { adding = on; }
    void ShowRows(const LocalListing& listing) override
    {
        rows.clear();
        for (const std::wstring& name : listing.folderNames)
            rows.push_back(L"[" + name + L"]");
        rows.insert(rows.end(), listing.fileNames.begin(), listing.fileNames.end());
    }
    void OpenFile(const std::wstring& file) override { opened.push_back(file); }
    void ReportMissingFolder(const std::wstring& folder) override { problems.push_back(L"missing " + folder); }
    void ReportRenameProblem(RenameProblem problem, const std::wstring& name, const std::wstring& reason) override
    {
        problems.push_back(std::to_wstring(static_cast<int>(problem)) + L" " + name + L" " + reason);
    }
    // Failures of the file system are told through the real panes (tests/windows).
    void ReportFolderNotCreated(const std::wstring&, const std::wstring&) override {}
    void ReportDeleteProblems(const FailureReport&) override {}
    Log problems;  // "<problem number> <name> <reason>"
};

class LocalFolderCommandsTest : public ::testing::Test {
protected:
    LocalFolderCommandsTest()
    {
        files.AddFile(L"C:\\Data\\a.txt");
        files.AddFolder(L"C:\\Data\\a...b");
        files.AddFile(L"C:\\Data\\a...b\\b.txt");
        files.AddFolder(L"\\\\host\\share\\docs");
    }

    FakeLocalFiles files;
    RecordingLocalView view;
    LocalFolderCommands commands{files, view};
};

const PaneRow kParent = {L"[...]", RowKind::Parent};

}  // namespace

TEST_F(LocalFolderCommandsTest, NavigationGoesDownAndUpToTheRootAndStopsThere)
{
    struct Step { PaneRow row; const wchar_t* path; };
    const Step steps[] = {
        {{L"a...b", RowKind::Folder}, L"C:\\Data\\a...b\\..."},
        {kParent, L"C:\\Data\\..."},
        {kParent, L"C:\\..."},
        {kParent, L"C:\\..."},  // the drive is as far as it goes
    };
    commands.FillLocalList(L"C:\\Data");
    EXPECT_EQ(view.rows, (Log{L"[a...b]", L"a.txt"}));
    for (const Step& step : steps) {
        commands.Open(step.row);
        EXPECT_EQ(view.path, step.path);
    }
    EXPECT_EQ(view.rows, (Log{L"[Data]"}));

    commands.FillLocalList(L"\\\\host\\share\\docs");
    commands.Open(kParent);
    commands.Open(kParent);
    commands.Open(kParent);
    EXPECT_EQ(view.path, L"\\\\host\\...");
}

TEST_F(LocalFolderCommandsTest, FilesOpenAndTheTypedPathBoxIsTheFolder)
{
    commands.FillLocalList(L"C:\\Data");
    commands.Open({L"a.txt", RowKind::File});
    EXPECT_EQ(view.opened, (Log{L"C:\\Data\\a.txt"}));
    EXPECT_EQ(view.path, L"C:\\Data\\...");

    view.path = L"C:\\Data\\a...b";  // typed by the user, without the marker
    commands.Open({L"b.txt", RowKind::File});
    EXPECT_EQ(view.opened.back(), L"C:\\Data\\a...b\\b.txt");

    commands.ShowPickedFolder(L"C:\\\\Data\\");
    EXPECT_EQ(view.path, L"C:\\Data\\...");
    commands.ShowPickedFolder(L"");
    EXPECT_EQ(view.path, L"C:\\Data\\...");
}

TEST_F(LocalFolderCommandsTest, AddFolderWorksOnTheSavedFolderUntilConfirmed)
{
    commands.FillLocalList(L"C:\\Data");
    commands.StartAddFolder();
    EXPECT_TRUE(view.adding);
    EXPECT_EQ(view.path, L"");
    view.path = L"new";
    commands.StartAddFolder();
    EXPECT_EQ(view.path, L"new");

    // While the name is typed the pane works on the saved folder, and a refill
    // moves it without touching the typed name.
    EXPECT_EQ(commands.CurrentFolder(), L"C:\\Data");
    commands.Open({L"a...b", RowKind::Folder});
    EXPECT_EQ(commands.CurrentFolder(), L"C:\\Data\\a...b");
    EXPECT_EQ(view.path, L"new");

    commands.ConfirmAddFolder();
    EXPECT_FALSE(view.adding);
    EXPECT_TRUE(files.Exists(L"C:\\Data\\a...b\\new"));
    EXPECT_EQ(view.path, L"C:\\Data\\a...b\\...");
    EXPECT_EQ(view.rows, (Log{L"[new]", L"b.txt"}));

    files.log.clear();
    commands.StartAddFolder();
    commands.ConfirmAddFolder();  // an empty name makes nothing
    EXPECT_EQ(files.log, (Log{L"LIST C:\\Data\\a...b"}));
}

TEST_F(LocalFolderCommandsTest, DeleteSendsTheSelectedEntriesButNeverTheParentRow)
{
    commands.FillLocalList(L"C:\\Data");
    files.log.clear();
    commands.Delete({kParent, {L"a...b", RowKind::Folder}, {L"a.txt", RowKind::File}});
    EXPECT_EQ(files.log, (Log{L"RECYCLE C:\\Data\\a...b", L"RECYCLE C:\\Data\\a.txt", L"LIST C:\\Data"}));
    EXPECT_TRUE(view.rows.empty());
}

TEST_F(LocalFolderCommandsTest, RenameRefusesWhatWouldHarmAndAppliesTheRest)
{
    files.AddFile(L"C:\\Data\\b.txt");
    files.refuseRename.insert(L"C:\\Data\\b.txt");
    const auto problem = [](RenameProblem p, const wchar_t* name, const wchar_t* reason = L"") {
        return std::to_wstring(static_cast<int>(p)) + L" " + name + L" " + reason;
    };
    struct Case { PaneRow row; const wchar_t* typed; std::wstring problem; const wchar_t* renamed; };
    const Case cases[] = {
        {{L"a.txt", RowKind::File}, L"", problem(RenameProblem::kEmpty, L""), nullptr},
        {{L"a.txt", RowKind::File}, L"a.txt", L"", nullptr},  // unchanged: nothing said
        {{L"a.txt", RowKind::File}, L"b.txt", problem(RenameProblem::kExists, L"b.txt"), nullptr},
        {{L"a.txt", RowKind::File}, L"CON.txt", problem(RenameProblem::kForbiddenLocal, L"CON.txt"), nullptr},
        {{L"b.txt", RowKind::File}, L"c.txt", problem(RenameProblem::kFailed, L"b.txt", L"Access is denied."), nullptr},
        {kParent, L"up", L"", nullptr},
        {{L"a.txt", RowKind::File}, L"A.TXT", L"", L"C:\\Data\\A.TXT"},  // its own case may change
        {{L"a...b", RowKind::Folder}, L"renamed", L"", L"C:\\Data\\renamed"},
    };
    for (const Case& c : cases) {
        commands.FillLocalList(L"C:\\Data");
        view.problems.clear();
        view.rows.clear();
        const bool renamed = commands.Rename(c.row, c.typed);
        EXPECT_EQ(renamed, c.renamed != nullptr) << c.typed;
        EXPECT_EQ(view.problems, c.problem.empty() ? Log{} : Log{c.problem}) << c.typed;
        if (c.renamed) {
            EXPECT_TRUE(files.Exists(c.renamed)) << c.typed;
        }
        // Only what reached the file system shows the folder again.
        EXPECT_EQ(view.rows.empty(), !renamed && c.problem.find(L"Access") == std::wstring::npos) << c.typed;
    }
    EXPECT_TRUE(files.Exists(L"C:\\Data\\b.txt"));
}

TEST_F(LocalFolderCommandsTest, ATypedFolderThatIsNotThereKeepsTheFolderShown)
{
    commands.FillLocalList(L"C:\\Data");
    for (const wchar_t* typed : {L"C:\\Dta", L"C:\\Data\\a.txt"}) {
        view.path = typed;
        commands.ShowTypedFolder();
        EXPECT_EQ(view.problems.back(), std::wstring(L"missing ") + typed);
        EXPECT_EQ(view.path, L"C:\\Data\\...");
        EXPECT_EQ(view.rows, (Log{L"[a...b]", L"a.txt"}));
    }
    view.path = L"C:\\Data\\a...b";
    commands.ShowTypedFolder();
    EXPECT_EQ(view.rows, (Log{L"b.txt"}));
}
