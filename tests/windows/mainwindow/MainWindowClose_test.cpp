// What closing the window stores: the close box and Exit write the local folder
// and the server profile (its password protected for the user) into the user's
// settings file; Esc and Enter never end it. The file is compared byte for byte.
#include "MainWindowTestSupport.h"

#include "res/resource.h"
#include "settings/DpapiProtector.h"
#include "settings/StoredValue.h"

#include <shlobj.h>
#include <windows.h>

#include <utility>

using namespace mainwindow;
using namespace testenv;

namespace {

// One byte per character: the stored values here all lie below 256.
std::string Bytes(const std::wstring& text)
{
    std::string bytes;
    for (wchar_t c : text)
        bytes.push_back(static_cast<char>(static_cast<unsigned char>(c & 0xFF)));
    return bytes;
}

// The file with the value line after the key replaced.
std::string WithValue(const std::string& file, const std::wstring& key, const std::wstring& value)
{
    std::string text = "\r\n" + file;
    const std::string keyLine = "\r\n" + Bytes(key) + "\r\n";
    const size_t found = text.find(keyLine);
    if (found == std::string::npos) {
        ADD_FAILURE() << "the settings file has no key line";
        return file;
    }
    const size_t at = found + keyLine.size();
    text.replace(at, text.find("\r\n", at) - at, Bytes(value));
    return text.substr(2);
}

void SendClose(HWND window) { ::SendMessageW(window, WM_CLOSE, 0, 0); }

// A key as the message loop hands it on: to the dialog manager first, which
// turns Esc into IDCANCEL, else to the control holding the focus.
void PressKey(WPARAM key, UINT message = WM_KEYDOWN)
{
    MSG msg = {::GetFocus(), message, key, 1, 0, {0, 0}};
    const HWND root = ::GetAncestor(msg.hwnd, GA_ROOT);
    if (!root || !::IsDialogMessageW(root, &msg))
        ::DispatchMessageW(&msg);
}

void PressKeys(const std::wstring& text)
{
    for (wchar_t c : text)
        PressKey(c, WM_CHAR);
}

class MainWindowClose : public MainWindowTest {
protected:
    void TearDown() override { ::SetFileAttributesW(UserSettingsPath().c_str(), FILE_ATTRIBUTE_NORMAL); }

    // A window showing a local folder with a sub-folder "sub" and, when asked,
    // a listed FTP folder with a sub-folder "inner".
    void OpenWithFolders(bool withLocal, bool withProfile)
    {
        window.reset();
        local = ScratchFolder(L"close-local");
        MakeFolders(local + L"\\sub");
        ftpFolder.clear();
        Settings settings = QuietSettings();
        if (withLocal)
            settings.push_back({L"Local Folder Data", local});
        if (withProfile) {
            ftpFolder = FreshFtpFolder(L"close-ftp");
            MakeFolders(FtpPath(ftpFolder + L"/inner"));
            settings.push_back({L"FTP Data", ServerName() + L"*" + kUser + L"*" + ftpFolder});
            settings.push_back({L"Powersetting 2000", EncodeStoredValue(kPassword)});
        }
        Open(settings);
        before = ReadFile(UserSettingsPath());
        ASSERT_FALSE(before.empty());
    }

    // Moves the listed panes one folder down, so that a save has something new to store.
    void EnterSubFolders()
    {
        if (!Text(IDC_LOCAL_PATH).empty()) {
            ASSERT_EQ(ListView(Item(IDC_LOCAL_LIST)).CellText(1, 0), L"sub");
            DoubleClick(IDC_LOCAL_LIST, 1);
            ASSERT_EQ(Text(IDC_LOCAL_PATH), local + L"\\sub\\...");
        }
        if (!ftpFolder.empty()) {
            ASSERT_EQ(ListView(Item(IDC_FTP_LIST)).CellText(1, 0), L"inner");
            DoubleClick(IDC_FTP_LIST, 1);
            ASSERT_EQ(window->Profile().folder, ftpFolder + L"/inner");
        }
    }

    void DoubleClick(int listId, int row)
    {
        ListView list(Item(listId));
        list.Select(row, true);
        list.SetSelectionMark(row);
        NMITEMACTIVATE activate = {};
        activate.hdr.hwndFrom = Item(listId);
        activate.hdr.idFrom = static_cast<UINT_PTR>(listId);
        activate.hdr.code = NM_DBLCLK;
        activate.iItem = row;
        ::SendMessageW(Hwnd(), WM_NOTIFY, static_cast<WPARAM>(listId), reinterpret_cast<LPARAM>(&activate));
        WaitForFtpWork();
    }

    // The file as a close leaves it: the profile's new folder, and the password
    // protected for this user. The protected form differs from one close to
    // the next, so it is read back and must give the password again.
    std::string WithProfile(const std::string& file, const std::wstring& password) const
    {
        const std::string stored =
            WithValue(file, L"FTP Data", ServerName() + L"*" + kUser + L"*" + ftpFolder + L"/inner");
        const std::wstring value = UserSetting(L"Powersetting 2000");
        const std::wstring marker = kProtectedMarker;
        EXPECT_EQ(value.substr(0, marker.size()), marker);
        EXPECT_EQ(DpapiProtector().Unprotect(value.substr(marker.size())).value_or(L"(unreadable)"), password);
        return WithValue(stored, L"Powersetting 2000", value);
    }

    std::string Now() const { return ReadFile(UserSettingsPath()); }

    std::wstring local;
    std::wstring ftpFolder;
    std::string before;
};

}  // namespace

TEST_F(MainWindowClose, CloseAndExitStoreTheLocalFolderAndTheProfile)
{
    struct Case { const char* what; UINT message; WPARAM command; };
    const Case cases[] = {{"close box", WM_CLOSE, 0}, {"File, Exit", WM_COMMAND, IDM_EXIT}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        OpenWithFolders(true, true);
        EnterSubFolders();
        window->Profile().login.password = L"n\u00E9w*pass";
        ::SendMessageW(Hwnd(), c.message, c.command, 0);

        EXPECT_TRUE(window->HasEnded());
        EXPECT_EQ(window->Result(), IDCANCEL);
        EXPECT_TRUE(ui.messages.empty());
        EXPECT_EQ(Now(), WithProfile(WithValue(before, L"Local Folder Data", local + L"\\sub"), L"n\u00E9w*pass"));
    }
}

TEST_F(MainWindowClose, EscEndsTheModeTheUserIsInAndNeverTheWindow)
{
    OpenWithFolders(true, true);
    EnterSubFolders();
    const std::pair<int, int> panes[] = {{IDC_FTP_ADDFOLDER, IDC_FTP_PATH}, {IDC_LOCAL_ADDFOLDER, IDC_LOCAL_PATH}};
    for (const auto& [button, path] : panes) {
        const int list = path == IDC_FTP_PATH ? IDC_FTP_LIST : IDC_LOCAL_LIST;
        const std::wstring shown = Text(path);
        ::SetFocus(Item(list));
        Click(button);
        // Typing goes into the pane's own name box; no transfer meanwhile.
        EXPECT_EQ(::GetFocus(), Item(path));
        EXPECT_FALSE(::IsWindowEnabled(Item(IDC_TRANSFER)));
        PressKeys(L"typed");
        EXPECT_EQ(Text(path), L"typed");
        PressKey(VK_ESCAPE);
        EXPECT_FALSE(window->HasEnded());
        EXPECT_EQ(Text(path), shown);
        EXPECT_TRUE(Visible(list));
        EXPECT_TRUE(::IsWindowEnabled(Item(IDC_TRANSFER)));
        EXPECT_EQ(::GetFocus(), Item(list));
    }
    EXPECT_FALSE(Exists(local + L"\\sub\\typed"));
    EXPECT_FALSE(Exists(FtpPath(ftpFolder + L"/inner/typed")));
    PressKey(VK_ESCAPE);
    EXPECT_FALSE(window->HasEnded());
    EXPECT_EQ(Now(), before);
    SendClose(Hwnd());
    EXPECT_EQ(Now(), WithProfile(WithValue(before, L"Local Folder Data", local + L"\\sub"), kPassword));
}

TEST_F(MainWindowClose, EnterNeverEndsTheWindowAndConfirmsWhatWasTypedInAPathBox)
{
    OpenWithFolders(true, true);
    const std::wstring ftpField = Text(IDC_FTP_PATH);
    struct Step { int focus; const wchar_t* typed; std::wstring localPath; };
    const Step steps[] = {
        {IDC_LOCAL_LIST, nullptr, local + L"\\..."},
        {IDC_FTP_PATH, L"elsewhere", local + L"\\..."},      // the FTP path box only takes new folders' names
        {IDC_LOCAL_PATH, L"", local + L"\\sub\\..."},         // typed below: the folder is shown
    };
    for (const Step& step : steps) {
        if (step.focus == IDC_LOCAL_PATH)
            SetText(IDC_LOCAL_PATH, local + L"\\\\sub");
        else if (step.typed)
            SetText(step.focus, step.typed);
        ::SetFocus(Item(step.focus));
        Command(IDOK);
        ASSERT_FALSE(window->HasEnded()) << step.focus;
        EXPECT_EQ(Text(IDC_LOCAL_PATH), step.localPath) << step.focus;
    }
    EXPECT_NE(RowOf(IDC_LOCAL_LIST, L"[...]"), -1);

    // In add-folder mode Enter confirms the name, on either side.
    Click(IDC_LOCAL_ADDFOLDER);
    SetText(IDC_LOCAL_PATH, L"made-by-enter");
    ::SetFocus(Item(IDC_LOCAL_PATH));
    Command(IDOK);
    EXPECT_TRUE(Exists(local + L"\\sub\\made-by-enter"));
    EXPECT_EQ(Text(IDC_LOCAL_PATH), local + L"\\sub\\...");
    Click(IDC_FTP_ADDFOLDER);
    SetText(IDC_FTP_PATH, L"made-by-enter");
    ::SetFocus(Item(IDC_FTP_PATH));
    Command(IDOK);
    EXPECT_TRUE(Exists(FtpPath(ftpFolder + L"/made-by-enter")));
    EXPECT_EQ(Text(IDC_FTP_PATH), ftpField);
    EXPECT_TRUE(::IsWindowEnabled(Item(IDC_TRANSFER)));
    EXPECT_FALSE(window->HasEnded());
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(MainWindowClose, AnEmptyBoxKeepsThePreviousValue)
{
    {
        SCOPED_TRACE("no profile ever set");
        OpenWithFolders(true, false);
        EnterSubFolders();
        SendClose(Hwnd());
        EXPECT_EQ(Now(), WithValue(before, L"Local Folder Data", local + L"\\sub"));
    }
    {
        SCOPED_TRACE("the FTP pane waits for a new folder's name, nothing typed");
        OpenWithFolders(true, true);
        EnterSubFolders();
        Click(IDC_FTP_ADDFOLDER);
        ASSERT_EQ(Text(IDC_FTP_PATH), L"");
        SendClose(Hwnd());
        EXPECT_TRUE(window->HasEnded());
        EXPECT_EQ(Now(), WithValue(before, L"Local Folder Data", local + L"\\sub"));
    }
    {
        SCOPED_TRACE("no local folder ever set");
        OpenWithFolders(false, true);
        EnterSubFolders();
        ASSERT_EQ(Text(IDC_LOCAL_PATH), L"");
        SendClose(Hwnd());
        EXPECT_EQ(Now(), WithProfile(before, kPassword));
    }
    {
        SCOPED_TRACE("a fresh settings file: the documents folder is shown and stored");
        OpenWithFolders(false, false);
        wchar_t documents[MAX_PATH] = {};
        ASSERT_EQ(::SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, documents), S_OK);
        EXPECT_EQ(Text(IDC_LOCAL_PATH), std::wstring(documents) + L"\\...");
        EXPECT_EQ(ListView(Item(IDC_FTP_LIST)).Count(), 0);
        EXPECT_EQ(Text(IDC_FTP_LIST), Translated(TextId::kFtpPaneHint));
        SendClose(Hwnd());
        EXPECT_EQ(Now(), WithValue(before, L"Local Folder Data", documents));
    }
}

TEST_F(MainWindowClose, WhileANewLocalFolderNameIsTypedTheFolderShownBeforeIsStored)
{
    OpenWithFolders(true, false);
    EnterSubFolders();
    Click(IDC_LOCAL_ADDFOLDER);
    ::SetWindowTextW(Item(IDC_LOCAL_PATH), L"brand new");
    SendClose(Hwnd());
    EXPECT_EQ(Now(), WithValue(before, L"Local Folder Data", local + L"\\sub"));
    EXPECT_FALSE(Exists(local + L"\\sub\\brand new"));
}

TEST_F(MainWindowClose, AFolderNameTheFileCannotHoldIsRefusedAndTheWindowStillCloses)
{
    OpenWithFolders(false, true);
    EnterSubFolders();
    const std::wstring greek = ScratchFolder(L"close-\u03B1\u03B2");
    ui.browseAnswer = greek;
    Click(IDC_LOCAL_BROWSE);
    ASSERT_EQ(Text(IDC_LOCAL_PATH), greek + L"\\...");

    SendClose(Hwnd());
    ASSERT_EQ(ui.messages.size(), 1u);
    std::wstring text66 = Translated(TextId::kValueNotStorable);
    const size_t placeholder = text66.find(L"%1");
    ASSERT_NE(placeholder, std::wstring::npos);
    EXPECT_EQ(ui.messages[0].text, text66.replace(placeholder, 2, Translated(TextId::kLocalGroup)));
    EXPECT_EQ(ui.messages[0].caption, Translated(TextId::kMessageCaption));
    EXPECT_EQ(ui.messages[0].type, static_cast<UINT>(MB_OK));
    EXPECT_TRUE(window->HasEnded());
    // The refused value is left out; the profile, which fits, is still stored.
    EXPECT_EQ(Now(), WithProfile(before, kPassword));
}

TEST_F(MainWindowClose, AProfileTheFileCannotHoldIsStoredNeitherWithNorWithoutItsPassword)
{
    // A folder with a line break (pasted) or a character above 255: the file
    // keeps the profile and the password stored before, together.
    for (const wchar_t* folder : {L"pasted\r\nfolder", L"\u03B1"}) {
        ui.messages.clear();
        OpenWithFolders(false, true);
        window->Profile().folder = folder;
        window->Profile().login.password = L"another";
        SendClose(Hwnd());
        ASSERT_EQ(ui.messages.size(), 1u);
        std::wstring text = Translated(TextId::kProfileNotStored);
        EXPECT_EQ(ui.messages[0].text, text.replace(text.find(L"%1"), 2, Translated(TextId::kProfileSetting)));
        EXPECT_TRUE(window->HasEnded());
        EXPECT_EQ(Now(), before);
    }
}

TEST_F(MainWindowClose, ASettingsFileThatCannotBeRewrittenIsReportedOnceAndTheWindowStillCloses)
{
    OpenWithFolders(true, true);
    EnterSubFolders();
    const std::wstring path = UserSettingsPath();
    ASSERT_TRUE(::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
    SendClose(Hwnd());

    ASSERT_EQ(ui.messages.size(), 1u);
    std::wstring text68 = Translated(TextId::kSettingsNotWritten);
    const size_t placeholder = text68.find(L"%1");
    ASSERT_NE(placeholder, std::wstring::npos);
    EXPECT_EQ(ui.messages[0].text, text68.replace(placeholder, 2, path));
    EXPECT_EQ(ui.messages[0].caption, Translated(TextId::kMessageCaption));
    EXPECT_TRUE(window->HasEnded());
    EXPECT_EQ(Now(), before);
}

TEST_F(MainWindowClose, ThePasswordIsStoredProtectedAndReadBackAtTheNextStart)
{
    // The start reads the older encoding; the close leaves no trace of it.
    OpenWithFolders(false, true);
    ASSERT_EQ(window->Profile().login.password, kPassword);
    const std::wstring password = L"p\u20ac\u03B1ss*";  // beyond Latin-1: the protected form is ASCII
    window->Profile().login.password = password;
    SendClose(Hwnd());
    EXPECT_TRUE(ui.messages.empty());
    const std::string file = Now();
    EXPECT_EQ(file, WithValue(WithProfile(before, password), L"FTP Data",
                              ServerName() + L"*" + kUser + L"*" + ftpFolder));
    EXPECT_EQ(file.find("secret"), std::string::npos);
    EXPECT_EQ(file.find(Bytes(EncodeStoredValue(kPassword))), std::string::npos);

    window = std::make_unique<CFTPTandrilDlg>(parts.settings, parts.work, parts.files);
    ASSERT_NE(window->CreateModeless(nullptr), nullptr);
    WaitForFtpWork();
    EXPECT_EQ(window->Profile().login.password, password);
}

TEST_F(MainWindowClose, APasswordThatCannotBeUnprotectedIsAskedForAgainAndTheRestKept)
{
    for (const wchar_t* stored : {L"DPAPI:AQIDBAUG", L"DPAPI:not base64!"}) {
        window.reset();
        Open({{L"Language", L"[1033]"},
              {L"FTP Data", ServerName() + L"*" + kUser + L"*" + L"kept/folder"},
              {L"Powersetting 2000", stored},
              {L"Local Folder Data", L"---"}});
        ASSERT_FALSE(ui.messages.empty());
        EXPECT_EQ(ui.messages[0].text, Translated(TextId::kPasswordUnreadable));
        EXPECT_EQ(window->Profile().login.password, L"");
        EXPECT_EQ(window->Profile().login.serverName, ServerName());
        EXPECT_EQ(window->Profile().login.user, kUser);
        EXPECT_EQ(window->Profile().folder, L"kept/folder");
        SetText(IDC_FTP_PATH, L"as if listed");
        SendClose(Hwnd());
        EXPECT_EQ(UserSetting(L"Powersetting 2000"), stored);  // kept for the user who can read it
        ui.messages.clear();
    }
}

TEST_F(MainWindowClose, TheModeGoesThroughTheSettingsFileAndAnOlderCopyWithoutTheKeyGetsIt)
{
    const auto reopen = [this] {
        window.reset();
        window = std::make_unique<CFTPTandrilDlg>(parts.settings, parts.work, parts.files);
        ASSERT_NE(window->CreateModeless(nullptr), nullptr);
        WaitForFtpWork();
    };
    // A copy written by an earlier version lacks "FTP Passive": passive mode.
    OpenWithFolders(false, true);
    const std::string key = "FTP Passive\r\n1\r\n";
    ASSERT_NE(before.find(key), std::string::npos);
    WriteFile(UserSettingsPath(), before.substr(0, before.find(key)) + before.substr(before.find(key) + key.size()));
    reopen();
    EXPECT_EQ(window->Profile().login.mode, FtpMode::kPassive);

    // The check box's choice is stored at close, the key added where missing,
    // and read back at the next start.
    struct Step { FtpMode mode; const wchar_t* stored; };
    for (const Step& step : {Step{FtpMode::kActive, L"0"}, Step{FtpMode::kPassive, L"1"}}) {
        window->Profile().login.mode = step.mode;
        SendClose(Hwnd());
        ASSERT_TRUE(window->HasEnded());
        EXPECT_EQ(UserSetting(L"FTP Passive"), step.stored);
        EXPECT_TRUE(ui.messages.empty());
        const std::string written = Now();
        reopen();
        EXPECT_EQ(window->Profile().login.mode, step.mode);
        EXPECT_EQ(Now(), written);
    }
}
