// The menu commands: help file, website, About, and the language selection,
// which stores the chosen language and initialises the window again in it.
#include "MainWindowTestSupport.h"

#include "i18n/CLanguageSelection.h"
#include "res/resource.h"
#include "settings/Registry.h"
#include "settings/SettingsFile.h"
#include "settings/UserSettingsCopy.h"

#include <commctrl.h>

using namespace mainwindow;
using namespace testenv;

namespace {

const wchar_t* const kFrench = L"Fran\u00E7ais";

class MainWindowCommands : public MainWindowTest {
protected:
    // Answers the language dialog by typing the text into its field and pressing OK.
    void AnswerLanguageDialogWith(const std::wstring& typed)
    {
        ui.onModal = [typed](Dialog& dialog) -> INT_PTR {
            ::SetWindowTextW(dialog.Item(IDC_LANGUAGE_COMBO), typed.c_str());
            ::SendMessageW(dialog.Handle(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                           reinterpret_cast<LPARAM>(dialog.Item(IDOK)));
            return IDOK;
        };
    }

    // Everything InitMainWindow applies to the menus, buttons and tooltips.
    void ExpectTextsOfTheCurrentLanguage()
    {
        HMENU menu = ::GetMenu(Hwnd());
        EXPECT_EQ(MenuText(menu, 0, MF_BYPOSITION), Translated(TextId::kFileMenu));
        EXPECT_EQ(MenuText(menu, 1, MF_BYPOSITION), Translated(TextId::kServersMenu));
        EXPECT_EQ(MenuText(menu, 2, MF_BYPOSITION), Translated(TextId::kHelpMenu));
        const std::pair<UINT, int> items[] = {{IDM_LANGUAGE, 210}, {IDM_EXIT, 212}, {IDM_HELPFILE, 250},
                                              {IDM_WEBSITE, 255}, {IDM_ABOUT, 260}, {IDM_MANAGE_SERVERS, 604}};
        for (const auto& [command, number] : items)
            EXPECT_EQ(MenuText(menu, command, MF_BYCOMMAND), L"  " + Translated(number)) << command;
        const std::pair<int, int> controls[] = {{IDC_LOCAL_GROUP, 70}, {IDC_FTP_GROUP, 75},
                                                {IDC_LOCAL_BROWSE, 85}, {IDC_FTP_ADDFOLDER, 100},
                                                {IDC_LOCAL_DELETE, 105}};
        for (const auto& [id, number] : controls)
            EXPECT_EQ(Text(id), Translated(number)) << id;
        EXPECT_EQ(Text(IDC_TRANSFER), L">>>  " + Translated(TextId::kTransferFiles) + L"  >>>");
        const std::pair<int, int> tips[] = {{IDC_LOCAL_PATH, 400}, {IDC_FTP_BROWSE, 415}, {IDC_TO_LOCAL, 440},
                                            {IDC_TRANSFER, 445}};
        for (const auto& [id, number] : tips)
            EXPECT_EQ(TooltipText(window->Tooltip(), Hwnd(), Item(id)), Translated(number)) << id;
    }
};

}  // namespace

TEST_F(MainWindowCommands, HelpAndWebsiteAskTheShellToOpenTheirTargets)
{
    Open(QuietSettings({{L"Homepage", L"https://h7.example.org/tandril/"}}));
    const std::wstring help = ProgramFolder() + L"\\help.chm";
    ASSERT_EQ(help, ExeFolder() + L"\\help.chm");

    HELPINFO info = {};
    info.cbSize = sizeof(info);
    ::SendMessageW(Hwnd(), WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    Command(IDM_HELPFILE);
    Command(IDM_WEBSITE);
    const std::vector<std::wstring> expected = {help, help, L"https://h7.example.org/tandril/"};
    EXPECT_EQ(ui.opened, expected);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_FALSE(window->HasEnded());
}

TEST_F(MainWindowCommands, AboutRunsTheAboutBoxFromTheMenuAndTheSystemMenu)
{
    Open(QuietSettings());
    Command(IDM_ABOUT);
    ::SendMessageW(Hwnd(), WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
    const std::vector<UINT> expected = {IDD_ABOUTBOX, IDD_ABOUTBOX};
    EXPECT_EQ(ui.modalTemplates, expected);
    EXPECT_FALSE(window->HasEnded());
}

TEST_F(MainWindowCommands, AnotherLanguageIsStoredAndAppliedToEveryText)
{
    Open(QuietSettings());
    const std::wstring englishTransfer = Text(IDC_TRANSFER);
    Click(IDC_TO_LOCAL);
    ASSERT_NE(Text(IDC_TRANSFER), englishTransfer);
    ASSERT_FALSE(::IsWindowEnabled(Item(IDC_TO_LOCAL)));

    AnswerLanguageDialogWith(kFrench);
    Command(IDM_LANGUAGE);
    ASSERT_EQ(ui.modalTemplates, std::vector<UINT>{IDD_LANGUAGE});
    EXPECT_EQ(UserSetting(L"Language"), L"[1036]");
    EXPECT_EQ(Translated(TextId::kSizeColumn), L"Taille");

    ExpectTextsOfTheCurrentLanguage();
    EXPECT_NE(Text(IDC_TRANSFER), englishTransfer);
    EXPECT_TRUE(::IsWindowEnabled(Item(IDC_TO_LOCAL)));
    EXPECT_FALSE(::IsWindowEnabled(Item(IDC_TO_FTP)));
    const std::pair<int, TextId> headings[] = {
        {0, TextId::kNameColumn}, {1, TextId::kSizeColumn}, {2, TextId::kModifiedColumn}};
    for (int id : {IDC_LOCAL_LIST, IDC_FTP_LIST})
        for (const auto& [column, text] : headings)
            EXPECT_EQ(ListView(Item(id)).ColumnHeading(column), Translated(text)) << id;
    EXPECT_EQ(CountSystemMenuAbout(Hwnd()), 1);
    EXPECT_EQ(::SendMessageW(window->Tooltip(), TTM_GETTOOLCOUNT, 0, 0), 13);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(MainWindowCommands, TheLanguageDialogHearsTheStoredCodeAndText1)
{
    Open(QuietSettings({{L"Language", L"[1031]"}}));
    std::wstring group;
    std::wstring field;
    ui.onModal = [&](Dialog& dialog) -> INT_PTR {
        group = Control(dialog.Item(IDC_LANGUAGE_GROUP)).Text();
        field = Control(dialog.Item(IDC_LANGUAGE_COMBO)).Text();
        return IDCANCEL;
    };
    Command(IDM_LANGUAGE);
    EXPECT_EQ(group, Translated(TextId::kLanguageGroup));
    EXPECT_EQ(field, L"Deutsch");
}

TEST_F(MainWindowCommands, NoChangeOfCodeLeavesTheWindowAndTheFileAlone)
{
    struct Case { const char* what; std::wstring typed; bool pressOk; };
    const Case cases[] = {
        {"the stored language chosen again", L"English", true},
        {"a name in other letter case", L"english", true},
        {"a section code typed", L"[1036]", true},
        {"the preset text confirmed", L"System default language", true},
        {"the dialog cancelled", kFrench, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        window.reset();
        Open(QuietSettings());
        const std::string before = ReadFile(UserSettingsPath());
        Click(IDC_TO_LOCAL);
        const std::wstring downloadCaption = Text(IDC_TRANSFER);
        if (c.pressOk) {
            AnswerLanguageDialogWith(c.typed);
        } else {
            ui.onModal = [&c](Dialog& dialog) -> INT_PTR {
                ::SetWindowTextW(dialog.Item(IDC_LANGUAGE_COMBO), c.typed.c_str());
                ::SendMessageW(dialog.Handle(), WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
                return IDCANCEL;
            };
        }
        Command(IDM_LANGUAGE);
        EXPECT_EQ(ReadFile(UserSettingsPath()), before);
        // A second initialisation would have reset the direction to upload.
        EXPECT_EQ(Text(IDC_TRANSFER), downloadCaption);
        EXPECT_TRUE(::IsWindowEnabled(Item(IDC_TO_FTP)));
    }
}

TEST_F(MainWindowCommands, ChoosingTheSystemSectionFollowsTheSystemLanguageAgain)
{
    // Wine's machine language is 0409, so following it gives English.
    Open(QuietSettings({{L"Language", L"[1031]"}}));
    ASSERT_EQ(Translated(TextId::kSizeColumn), L"Gr\u00F6\u00DFe");
    ui.onModal = [](Dialog& dialog) -> INT_PTR {
        auto& selection = static_cast<CLanguageSelection&>(dialog);
        selection.SetCurrentCode(L"[----]");
        return IDOK;
    };
    Command(IDM_LANGUAGE);
    EXPECT_EQ(UserSetting(L"Language"), L"[----]");
    EXPECT_EQ(Translated(TextId::kSizeColumn), L"Size");
}
