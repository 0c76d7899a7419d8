// What reaches the window while an upload lets messages through: clicks, a
// double-click, menu commands and Enter start nothing (the transfer button,
// which reads Stop, and Esc stop the batch); closing the window stops the
// batch after its current block and then closes it as usual.
#include "TransferTestSupport.h"

#include "ftp/FtpTestSupport.h"

using namespace testenv;
using namespace transfertest;

namespace {

class TransferBusyTest : public TransferTest {
protected:
    // Posted before the click, so the first upload's message pump delivers it.
    void PostCommand(int id) const
    {
        ::PostMessageW(window->Handle(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Item(id)));
    }
};

}  // namespace

TEST_F(TransferBusyTest, CommandsArrivingDuringAnUploadAreIgnored)
{
    const std::wstring local = ScratchFolder(L"h6-busy");
    WriteFileIn(local + L"\\a.txt", "a");
    WriteFileIn(local + L"\\b.txt", "b");
    WriteFileIn(local + L"\\inner\\c.txt", "c");
    const std::wstring folder = FreshFtpFolder(L"h6-busy");
    Open(local, {folder});
    SelectRows(LocalList(), {L"a.txt", L"b.txt"});

    for (int id : {IDC_TO_LOCAL, IDC_LOCAL_BROWSE, IDC_FTP_BROWSE, IDC_FTP_ADDFOLDER, IDM_LANGUAGE, IDM_ABOUT,
                   IDM_EXIT, IDOK, IDM_MANAGE_SERVERS})
        PostCommand(id);
    // A menu opened meanwhile shows the Servers menu's items disabled.
    ::PostMessageW(window->Handle(), WM_INITMENUPOPUP, 0, 0);
    // A double-click on the folder row would enter it.
    static NMITEMACTIVATE doubleClick = {};
    doubleClick.hdr = {Item(IDC_LOCAL_LIST), static_cast<UINT_PTR>(IDC_LOCAL_LIST), static_cast<UINT>(NM_DBLCLK)};
    doubleClick.iItem = RowOf(LocalList(), L"inner");
    ::PostMessageW(window->Handle(), WM_NOTIFY, IDC_LOCAL_LIST, reinterpret_cast<LPARAM>(&doubleClick));
    ::PostMessageW(window->Handle(), WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
    // Keys in the list: one level up, rename, delete the selected files.
    for (WORD key : {VK_BACK, VK_F2, VK_DELETE})
        ::PostMessageW(Item(IDC_LOCAL_LIST), WM_KEYDOWN, key, 0);

    ftptest::ServerLog log;
    Click(IDC_TRANSFER);

    EXPECT_EQ(log.Count("STOR"), 2);
    EXPECT_EQ(FilesBelow(FtpPath(folder)), (std::map<std::wstring, std::string>{{L"a.txt", "a"}, {L"b.txt", "b"}}));
    ASSERT_TRUE(::IsWindow(window->Handle()));
    EXPECT_FALSE(window->HasEnded());
    EXPECT_EQ(Text(IDC_TRANSFER), UploadCaption());
    EXPECT_EQ(Text(IDC_LOCAL_PATH), local + L"\\...");
    EXPECT_TRUE(ui.modalTemplates.empty());
    EXPECT_TRUE(ui.browseTitles.empty());
    EXPECT_TRUE(ui.opened.empty());
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(::GetMenuState(::GetMenu(window->Handle()), IDM_MANAGE_SERVERS, MF_BYCOMMAND) & MF_GRAYED);
    ::SendMessageW(window->Handle(), WM_INITMENUPOPUP, 0, 0);
    EXPECT_FALSE(::GetMenuState(::GetMenu(window->Handle()), IDM_MANAGE_SERVERS, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_EQ(LocalList().EditControl(), nullptr);
    EXPECT_TRUE(Exists(local + L"\\a.txt"));
    // Nothing was left waiting that would act later.
    Pump();
    EXPECT_TRUE(::IsWindow(window->Handle()));
    EXPECT_EQ(log.Count("STOR"), 2);
}

TEST_F(TransferBusyTest, ClosingDuringAnUploadStopsAfterTheCurrentFileAndThenCloses)
{
    const std::wstring local = ScratchFolder(L"h6-close");
    for (const wchar_t* name : {L"a.txt", L"b.txt", L"c.txt"})
        WriteFileIn(local + L"\\" + name, "x");
    const std::wstring folder = FreshFtpFolder(L"h6-close");
    Open(local, {folder});
    WriteUserSettings({{L"Language", L"[1033]"}, {L"FTP Data", L"---"}, {L"Local Folder Data", L"---"}});
    SelectRows(LocalList(), {L"a.txt", L"b.txt", L"c.txt"});

    ::PostMessageW(window->Handle(), WM_CLOSE, 0, 0);
    Click(IDC_TRANSFER);

    // Stopped after the first file; the window is still there until the
    // close the batch posted at its end comes through.
    EXPECT_EQ(FilesBelow(FtpPath(folder)), (std::map<std::wstring, std::string>{{L"a.txt", "x"}}));
    ASSERT_TRUE(::IsWindow(window->Handle()));
    EXPECT_EQ(UserSetting(L"Local Folder Data"), L"---");
    const HWND handle = window->Handle();
    Pump();
    EXPECT_FALSE(::IsWindow(handle));
    EXPECT_TRUE(window->HasEnded());
    EXPECT_EQ(UserSetting(L"Local Folder Data"), local);
    EXPECT_EQ(UserSetting(L"FTP Data"), ServerName() + L"*" + kUser + L"*" + folder);
    EXPECT_TRUE(ui.messages.empty());
}
