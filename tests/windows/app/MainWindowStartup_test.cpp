// The main window as it opens: texts in the chosen language, the states of the
// transfer buttons, the lists' columns, the system menu, and the state restored
// from the user's settings file.
#include "common/MainWindowFixture.h"
#include "common/SettingsFixture.h"
#include "ftp/FtpTestSupport.h"
#include "res/resource.h"
#include "settings/StoredValue.h"

#include <gtest/gtest.h>

using namespace testenv;

namespace {

class MainWindowStartup : public MainWindowFixture {};

}  // namespace

TEST_F(MainWindowStartup, AppliesTheChosenLanguageToMenusControlsAndTooltips)
{
    Open({{L"Language", L"[1031]"}, {L"FTP Data", L"---"}, {L"Local Folder Data", L"---"}});
    const CTranslation& texts = window->Texts();
    ASSERT_NE(texts.Text(TextId::kLocalGroup), L"---");
    EXPECT_NE(texts.Text(TextId::kLocalGroup), L"Local or network folder");  // German, not the template's English

    EXPECT_EQ(Control(window->Handle()).Text(), L"Velmo FTP Tandril 2");
    HMENU menu = ::GetMenu(window->Handle());
    EXPECT_EQ(MenuText(menu, 0, MF_BYPOSITION), texts.Text(TextId::kFileMenu));
    EXPECT_EQ(MenuText(menu, 1, MF_BYPOSITION), texts.Text(TextId::kServersMenu));
    EXPECT_EQ(MenuText(menu, 2, MF_BYPOSITION), texts.Text(TextId::kHelpMenu));
    const std::pair<UINT, int> items[] = {{IDM_LANGUAGE, 210}, {IDM_EXIT, 212}, {IDM_HELPFILE, 250},
                                          {IDM_WEBSITE, 255}, {IDM_ABOUT, 260}, {IDM_MANAGE_SERVERS, 604}};
    for (const auto& [command, number] : items)
        EXPECT_EQ(MenuText(menu, command, MF_BYCOMMAND), L"  " + texts.Text(TextId(number))) << command;

    const std::pair<int, int> controls[] = {{IDC_LOCAL_GROUP, 70}, {IDC_FTP_GROUP, 75}, {IDC_LOCAL_ADDFOLDER, 100},
                                            {IDC_LOCAL_DELETE, 105}, {IDC_LOCAL_BROWSE, 85}, {IDC_FTP_ADDFOLDER, 100},
                                            {IDC_FTP_DELETE, 105}, {IDC_FTP_BROWSE, 85}};
    for (const auto& [id, number] : controls)
        EXPECT_EQ(Text(id), texts.Text(TextId(number))) << id;

    EXPECT_EQ(Text(IDC_TRANSFER), L">>>  " + texts.Text(TextId::kTransferFiles) + L"  >>>");
    EXPECT_TRUE(::IsWindowEnabled(Item(IDC_TO_LOCAL)));
    EXPECT_FALSE(::IsWindowEnabled(Item(IDC_TO_FTP)));

    HWND tooltip = window->Tooltip();
    ASSERT_NE(tooltip, nullptr);
    EXPECT_EQ(::SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0), 13);
    const std::pair<int, int> tips[] = {{IDC_LOCAL_PATH, 400}, {IDC_FTP_LIST, 425}, {IDC_FTP_DELETE, 435},
                                        {IDC_TRANSFER, 445}, {IDC_TO_FTP, 450}};
    for (const auto& [id, number] : tips)
        EXPECT_EQ(TooltipText(tooltip, window->Handle(), Item(id)), texts.Text(TextId(number))) << id;
}

TEST_F(MainWindowStartup, PreparesBothListsAndAddsAboutToTheSystemMenuOnce)
{
    Open({{L"Language", L"[1033]"}, {L"FTP Data", L"---"}, {L"Local Folder Data", L"---"}});
    for (int id : {IDC_LOCAL_LIST, IDC_FTP_LIST}) {
        ListView list(Item(id));
        EXPECT_EQ(list.ColumnHeading(0), window->Texts().Text(TextId::kNameColumn));
        EXPECT_EQ(list.ColumnHeading(1), window->Texts().Text(TextId::kSizeColumn));
        EXPECT_EQ(list.ColumnHeading(2), window->Texts().Text(TextId::kModifiedColumn));
        EXPECT_EQ(list.Send(LVM_GETEXTENDEDLISTVIEWSTYLE), LVS_EX_FULLROWSELECT);
        HIMAGELIST images = reinterpret_cast<HIMAGELIST>(list.Send(LVM_GETIMAGELIST, LVSIL_SMALL));
        EXPECT_EQ(ImageList_GetImageCount(images), 3);
    }
    // A fresh settings file: the documents folder on the left, a hint on the right.
    EXPECT_GT(ListView(Item(IDC_LOCAL_LIST)).Count(), 0);
    EXPECT_EQ(ListView(Item(IDC_FTP_LIST)).Count(), 0);
    EXPECT_EQ(CountSystemMenuAbout(window->Handle()), 1);
    window->InitMainWindow();
    EXPECT_EQ(CountSystemMenuAbout(window->Handle()), 1);
    EXPECT_EQ(ListView(Item(IDC_LOCAL_LIST)).ColumnHeading(0), window->Texts().Text(TextId::kNameColumn));

    ::SendMessageW(window->Handle(), WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
    ASSERT_EQ(ui.modalTemplates.size(), 1u);
    EXPECT_EQ(ui.modalTemplates[0], static_cast<UINT>(IDD_ABOUTBOX));
}

TEST_F(MainWindowStartup, RestoresTheStoredProfileAndListsItsFolderBeforeShowing)
{
    const std::wstring folder = FreshFtpFolder(L"startup-profile");
    MakeFolders(FtpPath(folder + L"/inner"));
    WriteFile(FtpPath(folder + L"/a.txt"), std::string(1536, 'x'));
    const std::wstring local = ScratchFolder(L"startup-local");
    WriteFile(local + L"\\note.txt", "hello");

    Open({{L"Language", L"[1033]"},
          {L"FTP Data", ServerName() + L"*" + kUser + L"*" + folder},
          {L"Powersetting 2000", EncodeStoredValue(kPassword)},
          {L"Local Folder Data", local}});

    const ServerProfile& profile = window->Profile();
    EXPECT_EQ(profile.login.serverName, ServerName());
    EXPECT_EQ(profile.login.user, kUser);
    EXPECT_EQ(profile.login.password, kPassword);
    EXPECT_EQ(profile.folder, folder);
    EXPECT_TRUE(ui.messages.empty());

    EXPECT_EQ(Text(IDC_FTP_PATH), ServerName() + L"/" + folder);
    ListView ftp(Item(IDC_FTP_LIST));
    ASSERT_EQ(ftp.Count(), 3);
    EXPECT_EQ(ftp.CellText(0, 0), L"[...]");
    EXPECT_EQ(ftp.Image(0), 2);
    EXPECT_EQ(ftp.CellText(1, 0), L"inner");
    EXPECT_EQ(ftp.Image(1), 1);
    EXPECT_EQ(ftp.CellText(2, 0), L"a.txt");
    EXPECT_EQ(ftp.CellText(2, 1), L"1.50 " + window->Texts().Text(TextId::kKilobytes));
    EXPECT_TRUE(::IsWindowEnabled(Item(IDC_TRANSFER)));
    EXPECT_EQ(Text(IDC_STATUS), L"");

    EXPECT_EQ(Text(IDC_LOCAL_PATH), local + L"\\...");
    ListView localList(Item(IDC_LOCAL_LIST));
    ASSERT_EQ(localList.Count(), 2);
    EXPECT_EQ(localList.CellText(1, 0), L"note.txt");
}

TEST_F(MainWindowStartup, AFailedFirstListingIsReportedAndTheLocalFolderStillFills)
{
    const std::wstring local = ScratchFolder(L"startup-failing");
    Open({{L"Language", L"[1033]"},
          {L"FTP Data", ServerName() + L"*" + kUser + L"*"},
          {L"Powersetting 2000", EncodeStoredValue(L"wrong password")},
          {L"Local Folder Data", local}});
    ASSERT_EQ(ui.messages.size(), 1u);
    // The server's own reply follows on its own line; the password never shows.
    EXPECT_EQ(ui.messages[0].text, window->Texts().Text(TextId::kFtpListingFailed) + L"\n" +
                                       FillPlaceholder(window->Texts().Text(TextId::kServerAnswered),
                                                       L"530 Authentication failed."));
    EXPECT_EQ(ui.messages[0].caption, window->Texts().Text(TextId::kMessageCaption));
    EXPECT_EQ(ui.messages[0].type, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_EQ(Text(IDC_FTP_PATH), L"");
    EXPECT_EQ(Text(IDC_LOCAL_PATH), local + L"\\...");
}

TEST_F(MainWindowStartup, AHandEditedProfileWithFewerFieldsLeavesTheRestEmpty)
{
    Open({{L"Language", L"[1033]"},
          {L"FTP Data", L"ftp://127.0.0.1:1"},
          {L"Powersetting 2000", L""},
          {L"Local Folder Data", L"---"}});
    EXPECT_EQ(window->Profile().login.serverName, L"ftp://127.0.0.1:1");
    EXPECT_EQ(window->Profile().login.user, L"");
    EXPECT_EQ(window->Profile().folder, L"");
    EXPECT_EQ(ui.messages.size(), 1u);  // nobody listens on port 1
}

TEST_F(MainWindowStartup, AFallbackOfTheFirstListingIsToldOnceOnTheStatusLine)
{
    const std::wstring folder = FreshFtpFolder(L"startup-modes");
    MakeFolders(FtpPath(folder + L"/inner"));
    const auto settings = [&](const std::wstring& server, const std::wstring& passive) {
        return SettingValues{{L"Language", L"[1033]"},
                             {L"FTP Data", server + L"*" + kUser + L"*" + folder},
                             {L"Powersetting 2000", EncodeStoredValue(kPassword)},
                             {L"Local Folder Data", L"---"},
                             {L"FTP Passive", passive}};
    };
    // Passive mode at a server that refuses it: the first listing falls back.
    Open(settings(ftptest::ServerOn(L"FTPT_NOPASV_PORT"), L"1"));
    EXPECT_EQ(window->Profile().login.mode, FtpMode::kPassive);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(ListView(Item(IDC_FTP_LIST)).CellText(1, 0), L"inner");
    EXPECT_EQ(Text(IDC_STATUS), window->Texts().Text(TextId::kSwitchedToActive));
    // The next command lists in active mode at once and the status line is quiet.
    ListView list(Item(IDC_FTP_LIST));
    list.Select(1, true);
    list.SetSelectionMark(1);
    NMITEMACTIVATE activate = {};
    activate.hdr = {Item(IDC_FTP_LIST), IDC_FTP_LIST, static_cast<UINT>(NM_DBLCLK)};
    ftptest::ServerLog log;
    ::SendMessageW(Hwnd(), WM_NOTIFY, IDC_FTP_LIST, reinterpret_cast<LPARAM>(&activate));
    WaitForFtpWork();
    EXPECT_EQ(window->Profile().folder, folder + L"/inner");
    EXPECT_EQ(Text(IDC_STATUS), L"");
    EXPECT_EQ(log.Count("PASV"), 0);
    EXPECT_EQ(log.Count("PORT"), 1);
}
