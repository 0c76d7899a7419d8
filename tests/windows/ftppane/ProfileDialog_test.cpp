// The server profile dialog on its own: its texts, the OK rule, Cancel, and
// the connection check against the test server.
#include "common/ProgramParts.h"
#include "common/SettingsFixture.h"
#include "common/TestEnvironment.h"
#include "framework/Control.h"
#include "ftp/FtpTestSupport.h"
#include "ftppane/CAddFtp.h"
#include "ftppane/SavedServerStore.h"
#include "settings/DpapiProtector.h"
#include "ftppane/PaneTestSupport.h"
#include "i18n/CTranslation.h"
#include "res/resource.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

using namespace testenv;

namespace {

class ProfileDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        WriteUserSettings({{L"Language", L"[1033]"}, {L"FTP Data", L"---"}, {L"Local Folder Data", L"---"}});
        parts.settings.ResolveSettingsPath();
        texts.Load();
    }

    void Open()
    {
        ASSERT_NE(dialog.CreateModeless(nullptr), nullptr);
        ASSERT_FALSE(dialog.HasEnded());
    }
    std::wstring Text(int id) const { return Control(dialog.Item(id)).Text(); }
    void Type(const ServerProfile& p) const
    {
        Control(dialog.Item(IDC_SERVER_NAME)).SetText(p.login.serverName);
        Control(dialog.Item(IDC_USER)).SetText(p.login.user);
        Control(dialog.Item(IDC_PASSWORD)).SetText(p.login.password);
        Control(dialog.Item(IDC_FOLDER)).SetText(p.folder);
    }
    // Typed into the saved servers' field (index -1), or chosen from its drop-down.
    void Pick(const std::wstring& name, int index = -1) const
    {
        const HWND field = dialog.Item(IDC_SAVED_SERVERS);
        index < 0 ? Control(field).SetText(name) : (void)Control(field).Send(CB_SETCURSEL, index);
        ::SendMessageW(dialog.Handle(), WM_COMMAND,
                       MAKEWPARAM(IDC_SAVED_SERVERS, index < 0 ? CBN_EDITCHANGE : CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(field));
    }
    // What the settings file holds now, read back as the program reads it.
    SavedServerList Stored()
    {
        return SavedServerList::Decode(parts.settings.ReadSettingList(kSavedServerKey), protector);
    }
    // Waits for the connection check a click may start.
    void Click(int id)
    {
        ::SendMessageW(dialog.Handle(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                       reinterpret_cast<LPARAM>(dialog.Item(id)));
        EXPECT_TRUE(parts.WaitForFtpWork());
    }
    std::vector<std::wstring> MessageTexts() const
    {
        std::vector<std::wstring> result;
        for (const RecordingUi::Message& m : ui.messages) {
            EXPECT_EQ(m.caption, texts.Text(TextId::kMessageCaption));
            EXPECT_EQ(m.type, static_cast<UINT>(MB_OK));
            result.push_back(m.text);
        }
        return result;
    }
    std::vector<std::wstring> Texts(std::initializer_list<int> numbers) const
    {
        std::vector<std::wstring> result;
        for (int n : numbers)
            result.push_back(texts.Text(TextId(n)));
        return result;
    }
    static std::wstring Lines(std::initializer_list<std::wstring> lines)
    {
        std::wstring text;
        for (const std::wstring& line : lines)
            text += (text.empty() ? L"" : L"\n") + line;
        return text;
    }

    RecordingUi ui;
    ProgramParts parts;
    CTranslation texts{parts.settings};
    DpapiProtector protector;
    SavedServerStore servers{parts.settings, protector};
    CAddFtp dialog{texts, parts.work, servers};
};

}  // namespace

TEST_F(ProfileDialog, ShowsTheProfileAndTheTranslatedTextsOfEachOpening)
{
    // The dialog shows the window's table: after a change of language it
    // holds the new language's texts.
    WriteUserSettings({{L"Language", L"[1031]"}, {L"FTP Data", L"---"}, {L"Local Folder Data", L"---"}});
    texts.Load();
    const std::wstring germanGroup = texts.Text(TextId::kProfileGroup);
    const CTranslation& german = texts;
    dialog.SetProfile({{L"ftp://example.org", L"anna", L"pass word"}, L"up/load"});
    Open();

    const std::pair<int, int> controls[] = {{IDC_PROFILE_GROUP, 188},   {IDC_LABEL_SERVER, 190},
                                            {IDC_EXAMPLE_SERVER, 192},  {IDC_LABEL_USER, 193},
                                            {IDC_LABEL_PASSWORD, 194},  {IDC_LABEL_FOLDER, 195},
                                            {IDC_EXAMPLE_FOLDER, 196},  {IDC_CHECK_CONNECTION, 197},
                                            {IDCANCEL, 20}};
    for (const auto& [id, number] : controls) {
        ASSERT_NE(german.Text(TextId(number)), L"---") << number;
        EXPECT_EQ(Text(id), german.Text(TextId(number))) << id;
    }
    EXPECT_EQ(Text(IDOK), L"OK");
    EXPECT_EQ(Control(dialog.Handle()).Text(), L"Velmo FTP Tandril");

    EXPECT_EQ(Text(IDC_SERVER_NAME), L"ftp://example.org");
    EXPECT_EQ(Text(IDC_USER), L"anna");
    EXPECT_EQ(Text(IDC_PASSWORD), L"pass word");
    EXPECT_EQ(Text(IDC_FOLDER), L"up/load");
    EXPECT_TRUE(::GetWindowLongW(dialog.Item(IDC_PASSWORD), GWL_STYLE) & ES_PASSWORD);
    EXPECT_TRUE(ui.messages.empty());

    // The next opening follows a change of language made meanwhile.
    Click(IDCANCEL);
    ASSERT_TRUE(dialog.HasEnded());
    WriteUserSettings({{L"Language", L"[1033]"}, {L"FTP Data", L"---"}, {L"Local Folder Data", L"---"}});
    texts.Load();
    Open();
    EXPECT_EQ(Text(IDC_PROFILE_GROUP), texts.Text(TextId::kProfileGroup));
    EXPECT_NE(texts.Text(TextId::kProfileGroup), germanGroup);
}

TEST_F(ProfileDialog, OkInsistsOnTheLowerCasePrefixAndTakesAllFourTexts)
{
    struct Case { ServerProfile typed; bool closes; };
    const Case cases[] = {
        {{{L"FTP://host", L"u", L"p"}, L"f"}, false},
        {{{L"Ftp://host", L"u", L"p"}, L"f"}, false},
        {{{L"host", L"u", L"p"}, L"f"}, false},
        {{{L"", L"", L""}, L""}, false},
        {{{L"ftp://", L"u", L"p"}, L"f"}, true},
        {{{L"ftp://host", L"", L""}, L""}, true},
        {{{L"ftp://host:2121", L"user", L"pw"}, L"a/b"}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed.login.serverName);
        ui.messages.clear();
        dialog.SetProfile({{L"ftp://old", L"old", L"old"}, L"old"});
        Open();
        Type(c.typed);
        Click(IDOK);
        EXPECT_EQ(dialog.HasEnded(), c.closes);
        if (c.closes) {
            EXPECT_EQ(dialog.Result(), IDOK);
            EXPECT_TRUE(ui.messages.empty());
        } else {
            EXPECT_EQ(MessageTexts(), Texts({198}));
            Click(IDCANCEL);
        }
        const ServerProfile& p = dialog.Profile();
        EXPECT_EQ(p.login.serverName, c.typed.login.serverName);
        EXPECT_EQ(p.login.user, c.typed.login.user);
        EXPECT_EQ(p.login.password, c.typed.login.password);
        EXPECT_EQ(p.folder, c.typed.folder);
    }
}

TEST_F(ProfileDialog, CancelKeepsOnlyTheTextsTakenBefore)
{
    dialog.SetProfile({{L"ftp://first", L"u1", L"p1"}, L"f1"});
    Open();
    Type({{L"ftp://never", L"u2", L"p2"}, L"f2"});
    Click(IDCANCEL);
    ASSERT_TRUE(dialog.HasEnded());
    EXPECT_EQ(dialog.Result(), IDCANCEL);
    EXPECT_EQ(dialog.Profile().login.serverName, L"ftp://first");
    EXPECT_EQ(dialog.Profile().folder, L"f1");

    // A refused OK has already taken the texts; Cancel does not undo that.
    Open();
    Type({{L"FTP://taken", L"u3", L"p3"}, L"f3"});
    Click(IDOK);
    ASSERT_FALSE(dialog.HasEnded());
    Type({{L"ftp://dropped", L"u4", L"p4"}, L"f4"});
    Click(IDCANCEL);
    ASSERT_TRUE(dialog.HasEnded());
    EXPECT_EQ(dialog.Profile().login.serverName, L"FTP://taken");
    EXPECT_EQ(dialog.Profile().login.user, L"u3");
    EXPECT_EQ(dialog.Profile().login.password, L"p3");
    EXPECT_EQ(dialog.Profile().folder, L"f3");

    Open();
    EXPECT_EQ(Text(IDC_SERVER_NAME), L"FTP://taken");
    EXPECT_EQ(Text(IDC_FOLDER), L"f3");
}

TEST_F(ProfileDialog, TheCheckUsesAFileOfItsOwnAndLeavesTheUsersFilesAsTheyWere)
{
    const std::wstring folder = FreshFtpFolder(L"check-ok");
    const std::string users = "[site]\r\nkey=value of the user's own\r\n";
    WriteFile(FtpPath(folder + L"/config.ini"), users);
    dialog.SetProfile({{L"ftp://stale", L"", L""}, L""});
    Open();
    // Written as an address bar shows it: the folder moves to its own field.
    Type({{ServerName() + L"/" + folder, kUser, kPassword}, L""});
    ftptest::ServerLog log;
    Click(IDC_CHECK_CONNECTION);

    EXPECT_EQ(MessageTexts(), (std::vector<std::wstring>{texts.Text(TextId::kCheckUploaded),
                                                          Lines({texts.Text(TextId::kCheckSucceeded),
                                                                 texts.Text(TextId::kCheckWorksPassive)})}));
    EXPECT_EQ(Text(IDC_SERVER_NAME), ServerName());
    EXPECT_EQ(Text(IDC_FOLDER), folder);
    EXPECT_EQ(ReadFile(FtpPath(folder + L"/config.ini")), users);
    std::vector<std::wstring> left;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(FtpPath(folder))))
        left.push_back(entry.path().filename().wstring());
    EXPECT_EQ(left, std::vector<std::wstring>{L"config.ini"});
    ASSERT_EQ(log.Count("STOR"), 1);
    EXPECT_EQ(log.Count("RETR"), 1);
    EXPECT_EQ(log.Count("DELE"), 1);
    EXPECT_EQ(log.Count("MKD"), 0);
    const std::vector<std::string> commands = log.Commands();
    EXPECT_EQ(std::count_if(commands.begin(), commands.end(),
                            [](const std::string& c) { return c.rfind("STOR .velmo-check-", 0) == 0; }),
              1);
    EXPECT_EQ(dialog.Profile().login.serverName, ServerName());
}

TEST_F(ProfileDialog, AFailedStepStopsTheCheckWithItsOwnMessageAndCreatesNoFolder)
{
    const std::wstring folder = FreshFtpFolder(L"check-refused");
    const std::wstring closed = ftptest::ServerOn(L"FTPT_CLOSED_PORT");
    const std::wstring closedPort = closed.substr(closed.rfind(L':') + 1);
    struct Case { std::wstring server; const wchar_t* user; const wchar_t* password; std::wstring folder; std::wstring message; };
    const Case cases[] = {
        {ServerName(), kUser, L"wrong", folder,
         Lines({texts.Text(TextId::kCheckLoginFailed), FillPlaceholder(texts.Text(TextId::kServerAnswered), L"530 Authentication failed.")})},
        {ServerName(), kReader, kPassword, folder,
         Lines({texts.Text(TextId::kCheckUploadFailed), FillPlaceholder(texts.Text(TextId::kServerAnswered), L"550 Not enough privileges.")})},
        {ServerName(), kUser, kPassword, folder + L"/missing/deeper",
         Lines({FillPlaceholder(texts.Text(TextId::kCheckFolderNotOpened), folder + L"/missing/deeper"),
                FillPlaceholder(texts.Text(TextId::kServerAnswered), L"550 No such file or directory.")})},
        {closed, kUser, kPassword, folder,
         FillPlaceholders(texts.Text(TextId::kServerUnreachable), {L"127.0.0.1", closedPort})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::wstring(c.user) + L" " + c.folder);
        ui.messages.clear();
        Open();
        Type({{c.server, c.user, c.password}, c.folder});
        ftptest::ServerLog log;
        Click(IDC_CHECK_CONNECTION);
        ASSERT_EQ(MessageTexts().size(), 1u);
        EXPECT_EQ(MessageTexts().front().substr(0, c.message.size()), c.message);
        EXPECT_EQ(MessageTexts().front().find(c.password), std::wstring::npos);
        EXPECT_EQ(log.Count("RETR") + log.Count("MKD"), 0);
        EXPECT_FALSE(Exists(FtpPath(folder + L"/missing")));
        Click(IDCANCEL);
    }
}

TEST_F(ProfileDialog, ACheckWithoutThePrefixSendsNothing)
{
    Open();
    Type({{L"FTP://127.0.0.1", kUser, kPassword}, L""});
    ftptest::ServerLog log;
    Click(IDC_CHECK_CONNECTION);
    EXPECT_EQ(MessageTexts(), Texts({198}));
    EXPECT_TRUE(log.Commands().empty());
    EXPECT_EQ(dialog.Profile().login.serverName, L"FTP://127.0.0.1");
}

TEST_F(ProfileDialog, AFailedDownloadSaysSoAndTheTestFileGoesAllTheSame)
{
    const std::wstring folder = FreshFtpFolder(L"check-nodownload");
    Open();
    Type({{ServerName(), kUser, kPassword}, folder});
    // No temporary folder: the copy fetched back has nowhere to go.
    const std::wstring missing = ScratchFolder(L"check-notemp") + L"\\gone";
    wchar_t tmp[MAX_PATH] = {};
    wchar_t temp[MAX_PATH] = {};
    ::GetEnvironmentVariableW(L"TMP", tmp, MAX_PATH);
    ::GetEnvironmentVariableW(L"TEMP", temp, MAX_PATH);
    ::SetEnvironmentVariableW(L"TMP", missing.c_str());
    ::SetEnvironmentVariableW(L"TEMP", missing.c_str());
    Click(IDC_CHECK_CONNECTION);
    ::SetEnvironmentVariableW(L"TMP", tmp);
    ::SetEnvironmentVariableW(L"TEMP", temp);
    ASSERT_EQ(MessageTexts().size(), 2u);
    EXPECT_EQ(MessageTexts()[0], texts.Text(TextId::kCheckUploaded));
    const std::wstring failed = texts.Text(TextId::kCheckDownloadFailed) + L"\n";
    EXPECT_EQ(MessageTexts()[1].substr(0, failed.size()), failed);
    const std::wstring mode = L"\n" + texts.Text(TextId::kCheckWorksPassive);
    EXPECT_EQ(MessageTexts()[1].substr(MessageTexts()[1].size() - mode.size()), mode);
    EXPECT_TRUE(std::filesystem::is_empty(std::filesystem::path(FtpPath(folder))));
}

TEST_F(ProfileDialog, TheModeCheckBoxShowsAndTakesTheProfilesModeAndTheCheckSaysWhichModeWorked)
{
    ServerProfile active = {{L"ftp://host", L"u", L"p", FtpMode::kActive}, L"f"};
    dialog.SetProfile(active);
    Open();
    EXPECT_EQ(Text(IDC_PASSIVE_MODE), texts.Text(TextId::kPassiveMode));
    EXPECT_FALSE(Control(dialog.Item(IDC_PASSIVE_MODE)).IsChecked());
    ::SendMessageW(dialog.Item(IDC_PASSIVE_MODE), BM_CLICK, 0, 0);  // the user's click
    EXPECT_TRUE(Control(dialog.Item(IDC_PASSIVE_MODE)).IsChecked());
    Click(IDOK);
    ASSERT_TRUE(dialog.HasEnded());
    EXPECT_EQ(dialog.Profile().login.mode, FtpMode::kPassive);

    // Passive mode against a server that refuses it: the check works in
    // active mode and says so; the choice in the profile stays.
    const std::wstring folder = FreshFtpFolder(L"check-nopasv");
    Open();
    Type({{ftptest::ServerOn(L"FTPT_NOPASV_PORT"), kUser, kPassword},
          folder});
    Click(IDC_CHECK_CONNECTION);
    ASSERT_EQ(MessageTexts().size(), 2u);
    EXPECT_EQ(MessageTexts()[1],
              Lines({texts.Text(TextId::kCheckSucceeded), texts.Text(TextId::kCheckWorksActive)}));
    EXPECT_EQ(dialog.Profile().login.mode, FtpMode::kPassive);
    EXPECT_TRUE(Control(dialog.Item(IDC_PASSIVE_MODE)).IsChecked());
}

TEST_F(ProfileDialog, SavedServersAreSavedChosenReplacedAndDeletedInTheSettingsFile)
{
    servers.Load();
    Open();
    Type({{L"ftp://one", L"u1", L"p1"}, L"f1"});
    Click(IDC_SAVE_SERVER);
    EXPECT_EQ(MessageTexts(), Texts({605}));
    ui.messages.clear();
    Pick(L"Zulu");
    Click(IDC_SAVE_SERVER);
    Type({{L"ftp://two", L"u2", L"p2"}, L"f2"});
    ::SendMessageW(dialog.Item(IDC_PASSIVE_MODE), BM_CLICK, 0, 0);
    ::SendMessageW(dialog.Item(IDC_CONNECTIONS_SPIN), UDM_SETPOS32, 0, 5);
    Pick(L" alpha ");
    Click(IDC_SAVE_SERVER);
    EXPECT_TRUE(ui.messages.empty());
    const Control field(dialog.Item(IDC_SAVED_SERVERS));
    ASSERT_EQ(field.Send(CB_GETCOUNT), 2);
    const SavedServer alpha = Stored().Servers().at(0);
    EXPECT_EQ(alpha.profile.login.password + L" " + std::to_wstring(alpha.profile.connections), L"p2 5");
    EXPECT_EQ(ReadFile(UserSettingsPath()).find("p2"), std::string::npos);

    // Choosing fills every field; the same name in other case asks before it replaces.
    Pick(L"", 1);
    EXPECT_EQ(Text(IDC_SERVER_NAME) + L" " + Text(IDC_PASSWORD) + L" " + Text(IDC_CONNECTIONS), L"ftp://one p1 2");
    EXPECT_TRUE(Control(dialog.Item(IDC_PASSIVE_MODE)).IsChecked());
    Control(dialog.Item(IDC_FOLDER)).SetText(L"changed");
    Pick(L"ZULU");
    const std::string before = ReadFile(UserSettingsPath());
    for (int answer : {IDNO, IDYES}) {
        ui.questionAnswer = answer;
        Click(IDC_SAVE_SERVER);
        EXPECT_EQ(ui.questions.back().text, FillPlaceholder(texts.Text(TextId::kReplaceSavedServer), L"Zulu"));
        EXPECT_EQ(ui.questions.back().type, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
        EXPECT_EQ(ReadFile(UserSettingsPath()) == before, answer == IDNO);
    }
    ASSERT_EQ(Stored().Servers().size(), 2u);
    EXPECT_EQ(Stored().Servers()[1].name + L" " + Stored().Servers()[1].profile.folder, L"ZULU changed");

    // Delete asks too, and is enabled only while the field names a saved server.
    Pick(L"nobody");
    EXPECT_FALSE(Control(dialog.Item(IDC_DELETE_SERVER)).IsEnabled());
    Pick(L"ALPHA");
    ::SetFocus(dialog.Item(IDC_DELETE_SERVER));  // as the click gives it
    for (int answer : {IDNO, IDYES}) {
        ui.questionAnswer = answer;
        Click(IDC_DELETE_SERVER);
        EXPECT_EQ(ui.questions.back().text, FillPlaceholder(texts.Text(TextId::kDeleteSavedServer), L"alpha"));
    }
    EXPECT_EQ(Stored().Servers().size(), 1u);
    EXPECT_EQ(field.Send(CB_GETCOUNT), 1);
    EXPECT_FALSE(Control(dialog.Item(IDC_DELETE_SERVER)).IsEnabled());
    EXPECT_EQ(::GetParent(::GetFocus()), dialog.Item(IDC_SAVED_SERVERS));  // its edit, not the disabled button

    // OK takes the chosen server's values as typed ones; a count out of range is clamped.
    Pick(L"", 0);
    Control(dialog.Item(IDC_CONNECTIONS)).SetText(L"12");
    Click(IDOK);
    ASSERT_TRUE(dialog.HasEnded());
    const ServerProfile& p = dialog.Profile();
    EXPECT_EQ(p.login.serverName + L" " + p.folder + L" " + std::to_wstring(p.connections), L"ftp://one changed 8");
}
