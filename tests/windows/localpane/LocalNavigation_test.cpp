// Moving through folders: double-clicks on the parent row, on folders and on
// files, and the folder picker behind Browse.
#include "localpane/LocalPaneFixture.h"

using namespace testenv;

namespace {
// A folder directly below the root of the Wine prefix's drive C:.
std::wstring DriveCFolder()
{
    const std::wstring folder = L"C:\\LocalPaneData";
    RemoveTree(folder);
    MakeFolders(folder + L"\\inside");
    return folder;
}
}  // namespace

TEST_F(LocalPaneTest, ParentRowGoesUpToTheDriveRootAndStopsThere)
{
    const std::wstring folder = DriveCFolder();
    Open(folder);
    ASSERT_EQ(RowNames(), (std::vector<std::wstring>{L"[...]", L"inside"}));

    DoubleClick(0);
    EXPECT_EQ(Text(IDC_LOCAL_PATH), L"C:\\...");
    EXPECT_GT(RowOf(L"LocalPaneData"), 0);
    EXPECT_GT(RowOf(L"windows"), 0);
    const std::vector<std::wstring> rootRows = RowNames();

    DoubleClick(0);
    EXPECT_EQ(Text(IDC_LOCAL_PATH), L"C:\\...");
    EXPECT_EQ(RowNames(), rootRows);
    RemoveTree(folder);
}

TEST_F(LocalPaneTest, DoubleClickOnAFileOpensItAndLeavesTheList)
{
    const std::wstring folder = ScratchFolder(L"localpane-open");
    WriteFile(folder + L"\\read me.txt", "hello");
    Open(folder);
    const std::vector<std::wstring> rows = RowNames();

    DoubleClick(RowOf(L"read me.txt"));
    EXPECT_EQ(ui.opened, std::vector<std::wstring>{folder + L"\\read me.txt"});
    EXPECT_EQ(RowNames(), rows);
    EXPECT_EQ(Text(IDC_LOCAL_PATH), folder + L"\\...");
}

TEST_F(LocalPaneTest, DoubleClickWithoutSelectionMarkDoesNothing)
{
    const std::wstring folder = ScratchFolder(L"localpane-nomark");
    MakeFolders(folder + L"\\sub");
    Open(folder);
    ASSERT_EQ(List().SelectionMark(), -1);
    DoubleClick(-1);
    EXPECT_EQ(Text(IDC_LOCAL_PATH), folder + L"\\...");
    EXPECT_EQ(List().Count(), 2);
    EXPECT_TRUE(ui.opened.empty());
}

TEST_F(LocalPaneTest, BrowseListsThePickedFolder)
{
    const std::wstring start = ScratchFolder(L"localpane-browse-start");
    const std::wstring picked = ScratchFolder(L"localpane-browse-picked");
    WriteFile(picked + L"\\found.txt", "x");
    Open(start);

    ui.browseAnswer = picked;
    Click(IDC_LOCAL_BROWSE);
    ASSERT_EQ(ui.browseTitles, std::vector<std::wstring>{Translated(TextId::kBrowse)});
    EXPECT_EQ(Text(IDC_LOCAL_PATH), picked + L"\\...");
    EXPECT_EQ(RowNames(), (std::vector<std::wstring>{L"[...]", L"found.txt"}));

    ui.browseAnswer = L"C:\\";
    Click(IDC_LOCAL_BROWSE);
    EXPECT_EQ(Text(IDC_LOCAL_PATH), L"C:\\...");
    EXPECT_GT(RowOf(L"windows"), 0);
}

TEST_F(LocalPaneTest, CancelledOrPathlessPickChangesNothing)
{
    const std::wstring folder = ScratchFolder(L"localpane-browse-cancel");
    WriteFile(folder + L"\\kept.txt", "x");
    Open(folder);
    for (const std::optional<std::wstring>& answer : {std::optional<std::wstring>(), std::optional<std::wstring>(L"")}) {
        ui.browseAnswer = answer;
        Click(IDC_LOCAL_BROWSE);
        EXPECT_EQ(Text(IDC_LOCAL_PATH), folder + L"\\...");
        EXPECT_EQ(RowNames(), (std::vector<std::wstring>{L"[...]", L"kept.txt"}));
    }
    EXPECT_EQ(ui.browseTitles.size(), 2u);
}
