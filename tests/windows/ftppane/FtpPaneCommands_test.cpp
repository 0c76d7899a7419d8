// Add Folder and Delete in the FTP pane, against the test server.
#include "ftp/FtpTestSupport.h"
#include "ftppane/PaneTestSupport.h"
#include "ftppane/PaneWindowFixture.h"

using namespace testenv;

namespace {

class FtpPaneCommands : public panetest::PaneWindow {
protected:
    void ExpectNormalMode() const
    {
        EXPECT_TRUE(Visible(IDC_FTP_LIST));
        EXPECT_TRUE(Visible(IDC_FTP_ADDFOLDER));
        EXPECT_TRUE(Visible(IDC_FTP_DELETE));
        EXPECT_EQ(Text(IDC_FTP_GROUP), Translated(TextId::kFtpGroup));
        EXPECT_EQ(Text(IDC_FTP_BROWSE), Translated(TextId::kBrowse));
    }

    void AddFolder(const std::wstring& typed) const
    {
        Click(IDC_FTP_ADDFOLDER);
        Control(Item(IDC_FTP_PATH)).SetText(typed);
        Click(IDC_FTP_BROWSE);
    }
};

}  // namespace

TEST_F(FtpPaneCommands, AddFolderModeTakesTheNameInThePathField)
{
    const std::wstring folder = FreshFtpFolder(L"add-mode");
    Open(kUser, folder);
    ExpectNormalMode();

    Click(IDC_FTP_ADDFOLDER);
    EXPECT_EQ(Field(), L"");
    EXPECT_FALSE(Visible(IDC_FTP_LIST));
    EXPECT_FALSE(Visible(IDC_FTP_ADDFOLDER));
    EXPECT_FALSE(Visible(IDC_FTP_DELETE));
    EXPECT_EQ(Text(IDC_FTP_GROUP), Translated(TextId::kNewFolderPrompt));
    EXPECT_EQ(Text(IDC_FTP_BROWSE), L"OK");

    Control(Item(IDC_FTP_PATH)).SetText(L"made-here");
    panetest::TextRecorder status(Item(IDC_STATUS));
    Click(IDC_FTP_BROWSE);
    ExpectNormalMode();
    EXPECT_TRUE(Exists(FtpPath(folder + L"/made-here")));
    EXPECT_EQ(Field(), FieldFor(folder));
    ExpectRows({L"made-here"}, {});
    EXPECT_EQ(status.Count(Translated(TextId::kCreatingFolder)), 1);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(FtpPaneCommands, AddFolderCreatesOnlyTheLastLevelOfWhatWasTyped)
{
    struct Case { std::wstring typed; bool parentExists; std::vector<std::wstring> folders; };
    const Case cases[] = {
        {L"", false, {}},
        {L"a/b", false, {}},
        {L"a/b", true, {L"a"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed + (c.parentExists ? L" with a" : L" without a"));
        const std::wstring folder = FreshFtpFolder(L"add-levels");
        if (c.parentExists)
            MakeFolders(FtpPath(folder + L"/a"));
        Open(kUser, folder);
        ftptest::ServerLog log;
        AddFolder(c.typed);
        ExpectNormalMode();
        EXPECT_EQ(log.Count("MKD"), c.typed.empty() ? 0 : 1);
        EXPECT_EQ(log.Count("LIST"), 1);
        EXPECT_EQ(Exists(FtpPath(folder + L"/a/b")), c.parentExists);
        EXPECT_EQ(Exists(FtpPath(folder + L"/a")), c.parentExists);
        EXPECT_EQ(Field(), FieldFor(folder));
        ExpectRows(c.folders, {});
        // A refused creation is told, with the server's reply on its own line.
        const bool refused = !c.typed.empty() && !c.parentExists;
        ASSERT_EQ(ui.messages.size(), refused ? 1u : 0u);
        if (refused) {
            const std::wstring sentence = FillPlaceholder(Translated(TextId::kFolderNotCreated), folder + L"/a/b") +
                                          L"\n" + FillPlaceholder(Translated(TextId::kServerAnswered), L"550 ");
            EXPECT_EQ(ui.messages[0].text.substr(0, sentence.size()), sentence);
        }
        ui.messages.clear();
        window.reset();
    }
}

TEST_F(FtpPaneCommands, AddFolderInTheLoginDirectoryStaysInIt)
{
    const std::wstring name = L"added-by-subuser";
    RemoveTree(FtpPath(L"sub/" + name));
    RemoveTree(FtpPath(name));
    Open(kSubUser, L"");
    AddFolder(name);
    EXPECT_TRUE(Exists(FtpPath(L"sub/" + name)));
    EXPECT_FALSE(Exists(FtpPath(name)));
    EXPECT_NE(RowOf(name), -1);
    EXPECT_EQ(Field(), FieldFor(L""));
}

TEST_F(FtpPaneCommands, DeletesSelectedFilesAndTreesInRowOrderThenListsOnce)
{
    const std::wstring folder = FreshFtpFolder(L"delete-mixed");
    MakeFolders(FtpPath(folder + L"/tree/inner"));
    WriteFile(FtpPath(folder + L"/tree/t1.txt"), "1");
    WriteFile(FtpPath(folder + L"/tree/inner/t2.txt"), "2");
    MakeFolders(FtpPath(folder + L"/empty"));
    MakeFolders(FtpPath(folder + L"/spared"));
    WriteFile(FtpPath(folder + L"/f1.txt"), "1");
    WriteFile(FtpPath(folder + L"/f2.txt"), "2");
    WriteFile(FtpPath(folder + L"/kept.txt"), "k");
    Open(kUser, folder);

    SelectNames({L"[...]", L"tree", L"empty", L"f1.txt", L"f2.txt"});
    ASSERT_EQ(List().SelectionMark(), 0);
    // The server decides the row order; the deletion must follow it.
    std::vector<std::string> expectedOrder;
    for (int row = 1; row < List().Count(); ++row) {
        const std::wstring name = List().CellText(row, 0);
        if (name == L"spared" || name == L"kept.txt")
            continue;
        const std::string narrow(name.begin(), name.end());
        expectedOrder.push_back((List().Image(row) == 0 ? "DELE " : "RMD ") + narrow);
    }
    ASSERT_EQ(expectedOrder.size(), 4u);
    ftptest::ServerLog log;
    panetest::TextRecorder status(Item(IDC_STATUS));
    Click(IDC_FTP_DELETE);

    EXPECT_TRUE(ui.messages.empty());
    ASSERT_EQ(ui.questions.size(), 1u);
    EXPECT_EQ(ui.questions[0].text, FillPlaceholder(Translated(TextId::kDeleteSomeForGood), L"4"));
    for (const wchar_t* gone : {L"/tree", L"/empty", L"/f1.txt", L"/f2.txt"})
        EXPECT_FALSE(Exists(FtpPath(folder + gone))) << gone;
    EXPECT_TRUE(Exists(FtpPath(folder)));
    ExpectRows({L"spared"}, {L"kept.txt"});
    EXPECT_EQ(Field(), FieldFor(folder));

    const std::vector<std::string> commands = log.Commands();
    auto firstAt = [&commands](const std::string& command) {
        return std::find(commands.begin(), commands.end(), command) - commands.begin();
    };
    for (size_t i = 0; i < expectedOrder.size(); ++i) {
        EXPECT_LT(firstAt(expectedOrder[i]), static_cast<std::ptrdiff_t>(commands.size())) << expectedOrder[i];
        if (i > 0) {
            EXPECT_LT(firstAt(expectedOrder[i - 1]), firstAt(expectedOrder[i])) << expectedOrder[i];
        }
    }

    // The tree went entry by entry, each entry on the status line.
    const std::wstring deleting = Translated(TextId::kDeleting) + L" " + folder + L"/tree/";
    EXPECT_EQ(status.Count(deleting + L"t1.txt"), 1);
    EXPECT_EQ(status.Count(deleting + L"inner/t2.txt"), 1);
    EXPECT_EQ(status.Count(deleting + L"inner"), 1);
    EXPECT_EQ(status.Count(Translated(TextId::kDeleting)), 1);
    // What happened stays on the status line: the four rows selected.
    EXPECT_EQ(Text(IDC_STATUS), FillPlaceholder(Translated(TextId::kEntriesDeleted), L"4"));
    EXPECT_TRUE(::IsWindowEnabled(Item(IDC_TRANSFER)));
}

TEST_F(FtpPaneCommands, DeleteNeedsAMarkAndDeletesOnlySelectedRows)
{
    const std::wstring folder = FreshFtpFolder(L"delete-nothing");
    WriteFile(FtpPath(folder + L"/a.txt"), "a");
    MakeFolders(FtpPath(folder + L"/d"));
    Open(kUser, folder);

    struct Case { int mark; bool selectParentOnly; size_t messages; int listings; };
    const Case cases[] = {
        {-1, false, 1, 0},  // no mark: message 60, nothing else
        {1, false, 0, 1},   // a mark, nothing selected: only listed again
        {0, true, 0, 1},    // only the parent row: it names nothing on the server
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mark);
        ui.messages.clear();
        SelectNames(c.selectParentOnly ? std::vector<std::wstring>{L"[...]"} : std::vector<std::wstring>{});
        List().SetSelectionMark(c.mark);
        ftptest::ServerLog log;
        Click(IDC_FTP_DELETE);
        ASSERT_EQ(ui.messages.size(), c.messages);
        if (c.messages) {
            EXPECT_EQ(ui.messages[0].text, Translated(TextId::kSelectToDelete));
            EXPECT_EQ(ui.messages[0].caption, Translated(TextId::kMessageCaption));
            EXPECT_EQ(ui.messages[0].type, static_cast<UINT>(MB_OK));
        }
        EXPECT_EQ(log.Count("LIST"), c.listings);
        EXPECT_EQ(log.Count("DELE") + log.Count("RMD"), 0);
        EXPECT_TRUE(Exists(FtpPath(folder + L"/a.txt")));
        EXPECT_TRUE(Exists(FtpPath(folder + L"/d")));
        ExpectRows({L"d"}, {L"a.txt"});
    }
    SelectNames({L"a.txt"});
    ui.questionAnswer = IDNO;
    Click(IDC_FTP_DELETE);
    ASSERT_EQ(ui.questions.size(), 1u);
    EXPECT_EQ(ui.questions[0].text, FillPlaceholder(Translated(TextId::kDeleteOneForGood), L"a.txt"));
    EXPECT_EQ(ui.questions[0].type, static_cast<UINT>(MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2));
    EXPECT_TRUE(Exists(FtpPath(folder + L"/a.txt")));
}

TEST_F(FtpPaneCommands, WhatCouldNotBeDeletedIsToldOnceWithTheServersReply)
{
    const std::wstring folder = FreshFtpFolder(L"delete-refused");
    MakeFolders(FtpPath(folder + L"/tree"));
    WriteFile(FtpPath(folder + L"/tree/undeletable-inner.txt"), "i");
    WriteFile(FtpPath(folder + L"/undeletable.txt"), "u");
    WriteFile(FtpPath(folder + L"/gone.txt"), "g");
    Open(kUser, folder);
    SelectNames({L"tree", L"gone.txt", L"undeletable.txt"});
    Click(IDC_FTP_DELETE);

    // The tree is kept by the file inside it, and says so.
    const std::wstring reply = L"\n" + FillPlaceholder(Translated(TextId::kServerAnswered),
                                                       L"550 This file cannot be deleted.");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, FillPlaceholder(Translated(TextId::kEntriesNotDeleted), L"2") + L"\n" + folder +
                                       L"/tree" + reply + L"\n" + folder + L"/undeletable.txt" + reply);
    EXPECT_FALSE(Exists(FtpPath(folder + L"/gone.txt")));
    ExpectRows({L"tree"}, {L"undeletable.txt"});
}
