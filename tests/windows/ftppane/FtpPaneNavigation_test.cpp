// Moving through the server's folders with double-clicks and the profile
// dialog, against the test server.
#include "ftp/FtpTestSupport.h"
#include "ftppane/CAddFtp.h"
#include "ftppane/PaneTestSupport.h"
#include "ftppane/PaneWindowFixture.h"

using namespace testenv;

namespace {

class FtpPaneNavigation : public panetest::PaneWindow {
protected:
    void ExpectAt(const std::wstring& folder) const
    {
        EXPECT_EQ(window->Profile().folder, folder);
        EXPECT_EQ(Field(), FieldFor(folder));
    }
};

}  // namespace

TEST_F(FtpPaneNavigation, GoesDownTwoLevelsAndBackRelativeToTheLoginDirectory)
{
    struct Case { const wchar_t* user; std::wstring loginDirectory; };
    const Case cases[] = {{kUser, L""}, {kSubUser, L"sub/"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.user);
        const std::wstring top = std::wstring(L"nav-") + c.user;
        const std::wstring onServer = FreshFtpFolder(c.loginDirectory + top);
        MakeFolders(FtpPath(onServer + L"/one/two"));
        WriteFile(FtpPath(onServer + L"/top.txt"), "top");
        WriteFile(FtpPath(onServer + L"/one/mid.txt"), std::string(2048, 'm'));
        WriteFile(FtpPath(onServer + L"/one/two/deep.txt"), "abc");

        Open(c.user, L"");
        ExpectAt(L"");
        DoubleClickName(top);
        ExpectAt(top);
        ExpectRows({L"one"}, {L"top.txt"});
        DoubleClickName(L"one");
        ExpectAt(top + L"/one");
        ExpectRows({L"two"}, {L"mid.txt"});
        EXPECT_EQ(List().CellText(2, 1), L"2.00 " + Translated(TextId::kKilobytes));
        DoubleClickName(L"two");
        ExpectAt(top + L"/one/two");
        ExpectRows({}, {L"deep.txt"});
        EXPECT_EQ(List().CellText(1, 1), L"3 " + Translated(TextId::kBytes));

        DoubleClick(0);
        ExpectAt(top + L"/one");
        ExpectRows({L"two"}, {L"mid.txt"});
        DoubleClick(0);
        ExpectAt(top);
        DoubleClick(0);
        ExpectAt(L"");
        EXPECT_NE(RowOf(top), -1);
        DoubleClick(0);  // the login directory has no parent: it is listed again
        ExpectAt(L"");
        EXPECT_NE(RowOf(top), -1);
        EXPECT_TRUE(ui.messages.empty());
        window.reset();
    }
}

TEST_F(FtpPaneNavigation, NoMarkChangesNothingAndListsNothing)
{
    const std::wstring folder = FreshFtpFolder(L"nav-file");
    WriteFile(FtpPath(folder + L"/only.txt"), "x");
    Open(kUser, folder);
    ftptest::ServerLog log;
    panetest::TextRecorder status(Item(IDC_STATUS));

    DoubleClick(-1);
    EXPECT_EQ(window->Profile().folder, folder);
    EXPECT_EQ(Field(), FieldFor(folder));
    ExpectRows({}, {L"only.txt"});
    EXPECT_TRUE(status.texts.empty());
    EXPECT_EQ(log.Count("USER"), 0);
}

TEST_F(FtpPaneNavigation, AFolderThatCannotBeListedKeepsRowsFieldAndFolder)
{
    const std::wstring folder = FreshFtpFolder(L"nav-refused");
    MakeFolders(FtpPath(folder + L"/noenter"));
    MakeFolders(FtpPath(folder + L"/open"));
    WriteFile(FtpPath(folder + L"/stays.txt"), "x");
    WriteFile(FtpPath(folder + L"/open/inside.txt"), "x");
    Open(kUser, folder);
    panetest::TextRecorder status(Item(IDC_STATUS));

    DoubleClickName(L"noenter");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, Translated(TextId::kFtpListingFailed) + L"\n" +
                                       FillPlaceholder(Translated(TextId::kServerAnswered),
                                                       L"550 Entering this folder is not allowed."));
    EXPECT_EQ(ui.messages[0].caption, Translated(TextId::kMessageCaption));
    EXPECT_EQ(ui.messages[0].type, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_EQ(window->Profile().folder, folder);
    EXPECT_EQ(Field(), FieldFor(folder));
    ExpectRows({L"noenter", L"open"}, {L"stays.txt"});
    EXPECT_EQ(status.texts, (std::vector<std::wstring>{Translated(TextId::kReadingFtpFolder), L""}));
    EXPECT_TRUE(::IsWindowEnabled(Item(IDC_TRANSFER)));

    // The pane is still in its folder: the next step starts from there.
    DoubleClickName(L"open");
    EXPECT_EQ(window->Profile().folder, folder + L"/open");
    ExpectRows({}, {L"inside.txt"});
    EXPECT_EQ(ui.messages.size(), 1u);
}

TEST_F(FtpPaneNavigation, BrowseListsTheProfileTheDialogClosesWithOk)
{
    const std::wstring first = FreshFtpFolder(L"browse-first");
    const std::wstring second = FreshFtpFolder(L"browse-second");
    WriteFile(FtpPath(second + L"/arrived.txt"), "x");
    MakeFolders(FtpPath(first + L"/inner"));
    Open(kUser, first);
    DoubleClickName(L"inner");

    std::wstring shownFolder;
    ui.onModal = [&](Dialog& dialog) {
        shownFolder = Control(dialog.Item(IDC_FOLDER)).Text();
        Control(dialog.Item(IDC_FOLDER)).SetText(second);
        ::SendMessageW(dialog.Handle(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                       reinterpret_cast<LPARAM>(dialog.Item(IDOK)));
        return dialog.HasEnded() ? dialog.Result() : IDCANCEL;
    };
    Click(IDC_FTP_BROWSE);
    ASSERT_EQ(ui.modalTemplates, std::vector<UINT>{IDD_ADDFTP});
    EXPECT_EQ(shownFolder, first + L"/inner");
    EXPECT_EQ(window->Profile().folder, second);
    EXPECT_EQ(Field(), FieldFor(second));
    ExpectRows({}, {L"arrived.txt"});
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(FtpPaneNavigation, BrowseEndedOtherwiseListsNothing)
{
    const std::wstring folder = FreshFtpFolder(L"browse-cancel");
    WriteFile(FtpPath(folder + L"/kept.txt"), "x");
    Open(kUser, folder);

    struct Case { const wchar_t* serverName; WORD button; size_t messages; };
    const Case cases[] = {
        {L"ftp://elsewhere", IDCANCEL, 0},
        {L"FTP://127.0.0.1", IDOK, 1},  // refused with a message; the test then gives up
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.serverName);
        ui.messages.clear();
        ui.onModal = [&](Dialog& dialog) {
            Control(dialog.Item(IDC_SERVER_NAME)).SetText(c.serverName);
            ::SendMessageW(dialog.Handle(), WM_COMMAND, MAKEWPARAM(c.button, BN_CLICKED),
                           reinterpret_cast<LPARAM>(dialog.Item(c.button)));
            return dialog.HasEnded() ? dialog.Result() : IDCANCEL;
        };
        ftptest::ServerLog log;
        Click(IDC_FTP_BROWSE);
        EXPECT_EQ(ui.messages.size(), c.messages);
        EXPECT_EQ(log.Count("USER"), 0);
        EXPECT_EQ(Field(), FieldFor(folder));
        ExpectRows({}, {L"kept.txt"});
    }
}
