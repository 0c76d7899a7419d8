// The language dialog on its own: which lines of a language file it lists, what
// its field shows for the current code, and which code a confirmed text chooses.
#include "common/SettingsFixture.h"
#include "common/TestEnvironment.h"
#include "framework/Control.h"
#include "i18n/CLanguageSelection.h"
#include "settings/SettingsFile.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

using namespace testenv;

namespace {

const wchar_t* const kProduct = L"H7Lang";
const wchar_t* const kSystemDefault = L"System default language";

class LanguageSelection : public ::testing::Test {
protected:
    void TearDown() override
    {
        dialog.reset();
        ::DeleteFileW(LanguageFile().c_str());
    }

    static std::wstring LanguageFile() { return ExeFolder() + L"\\" + kProduct + L"trl.ini"; }

    // Writes the language file (bytes as they stand on disk) under a product
    // id of the tests' own, so that the shipped file stays untouched.
    void WriteLanguageFile(const std::string& bytes)
    {
        WriteUserSettings({{L"Product ID", kProduct}});
        WriteFile(LanguageFile(), bytes);
    }

    void Show(const std::wstring& currentCode)
    {
        settings.ResolveSettingsPath();
        dialog = std::make_unique<CLanguageSelection>(settings);
        dialog->SetGroupText(L"Choose!");
        dialog->SetCurrentCode(currentCode);
        ASSERT_NE(dialog->CreateModeless(nullptr), nullptr);
        combo = Control(dialog->Item(IDC_LANGUAGE_COMBO));
    }

    std::vector<std::wstring> Items() const
    {
        std::vector<std::wstring> items;
        const int count = static_cast<int>(combo.Send(CB_GETCOUNT));
        for (int i = 0; i < count; ++i) {
            wchar_t text[256] = {};
            combo.Send(CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
            items.push_back(text);
        }
        return items;
    }
    std::wstring Field() const { return combo.Text(); }
    int Selected() const { return static_cast<int>(combo.Send(CB_GETCURSEL)); }

    // Types the text into the field and presses OK; returns the code read back.
    std::wstring Confirm(const std::wstring& typed)
    {
        combo.SetText(typed);
        ::SendMessageW(dialog->Handle(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                       reinterpret_cast<LPARAM>(dialog->Item(IDOK)));
        EXPECT_TRUE(dialog->HasEnded());
        EXPECT_EQ(dialog->Result(), IDOK);
        return dialog->CurrentCode();
    }

    RecordingUi ui;
    SettingsFile settings;
    std::unique_ptr<CLanguageSelection> dialog;
    Control combo;
};

const char* const kTwoLanguages =
    "[1033]\r\n00001 Please select your language!\r\n00003 English\r\n00005 Box\r\n[EOL]\r\n"
    "[1031]\r\n00001 Bitte Sprache w\xE4hlen!\r\n00003 Deutsch\r\n00005 Box\r\n[EOL]\r\n";

}  // namespace

TEST_F(LanguageSelection, TheShippedFileListsSixLanguagesSorted)
{
    WriteUserSettings({});
    Show(L"[1036]");
    const std::vector<std::wstring> expected = {L"Deutsch",        L"English",    L"Espa\u00F1ol",
                                                L"Fran\u00E7ais", L"Nederlands", L"Portugu\u00EAs (Brasil)"};
    EXPECT_EQ(Items(), expected);
    EXPECT_EQ(Field(), L"Fran\u00E7ais");
    EXPECT_EQ(Selected(), 3);
    EXPECT_EQ(Control(dialog->Item(IDC_LANGUAGE_GROUP)).Text(), L"Choose!");
    EXPECT_EQ(Control(dialog->Handle()).Text(), L"Language Selection");
    EXPECT_EQ(Confirm(L"Nederlands"), L"[1043]");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(LanguageSelection, WhatTheFieldShowsForTheCurrentCode)
{
    struct Case { const char* what; std::string file; std::wstring code; std::wstring field; bool inList; };
    const Case cases[] = {
        {"a listed code shows its name", kTwoLanguages, L"[1031]", L"Deutsch", true},
        {"the system code without a section shows the preset", kTwoLanguages, L"[----]", kSystemDefault, false},
        {"an unknown code shows the preset", kTwoLanguages, L"[1043]", kSystemDefault, false},
        {"an empty code shows the preset", kTwoLanguages, L"", kSystemDefault, false},
        {"a system section is listed like any other",
         std::string(kTwoLanguages) + "[----]\r\n00001 x\r\n00003 Windows\r\n[EOL]\r\n", L"[----]", L"Windows", true},
        {"the last section of a code counts",
         "[1033]\n00001 a\n00003 Old English\n[EOL]\n[1033]\n00001 a\n00003 English\n[EOL]\n", L"[1033]", L"English",
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WriteLanguageFile(c.file);
        Show(c.code);
        EXPECT_EQ(Field(), c.field);
        EXPECT_EQ(Selected() != CB_ERR, c.inList);
        const std::vector<std::wstring> items = Items();
        EXPECT_EQ(std::count(items.begin(), items.end(), kSystemDefault), 0);
    }
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(LanguageSelection, OnlyLinesOfSixCharactersStartingWithABracketAreHeaders)
{
    WriteLanguageFile(
        "[EOL]\r\n00001 x\r\n00003 After EOL\r\n"
        "[1234\r\n00001 x\r\n00003 After short\r\n"
        "1[234]\r\n00001 x\r\n00003 After digit\r\n"
        "[12345]\r\n00001 x\r\n00003 After long\r\n"
        "[1043] \r\n00001 x\r\n00003 After blank\r\n"
        "[1046]\r\n00001 x\r\n00003 Portugu\xEAs\r\n[EOL]\r\n"
        "[1036]\r\n00001 x");
    Show(L"[1036]");
    EXPECT_EQ(Items(), (std::vector<std::wstring>{L"", L"Portugu\u00EAs"}));
    // The cut-off section's name is empty, and an empty text begins every item.
    EXPECT_EQ(Field(), L"");
}

TEST_F(LanguageSelection, OkChoosesByExactNameOnly)
{
    const std::string file = std::string(kTwoLanguages) +
                             "[1043]\n00001 x\n00003 Deutsch\n[EOL]\n"   // a second "Deutsch": the last one counts
                             "[1036]\n00001 x\n00003 [1033]\n[EOL]\n";  // a name that looks like a code
    struct Case { const char* what; std::wstring typed; std::wstring code; };
    const Case cases[] = {
        {"exact name", L"English", L"[1033]"},
        {"the last section of a name counts", L"Deutsch", L"[1043]"},
        {"other letter case selects nothing", L"ENGLISH", L"[2222]"},
        {"a trailing blank selects nothing", L"English ", L"[2222]"},
        {"a typed code selects nothing", L"[1031]", L"[2222]"},
        {"a name that looks like a code is still a name", L"[1033]", L"[1036]"},
        {"the preset selects nothing", kSystemDefault, L"[2222]"},
        {"an empty field selects nothing", L"", L"[2222]"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WriteLanguageFile(file);
        Show(L"[2222]");
        EXPECT_EQ(Field(), kSystemDefault);
        EXPECT_EQ(Confirm(c.typed), c.code);
    }
}

TEST_F(LanguageSelection, PickingAnItemFromTheListChoosesItsCode)
{
    WriteLanguageFile(std::string(kTwoLanguages) + "[----]\r\n00001 x\r\n00003 Windows\r\n[EOL]\r\n");
    Show(L"[1031]");
    ASSERT_EQ(Items(), (std::vector<std::wstring>{L"Deutsch", L"English", L"Windows"}));
    combo.Send(CB_SETCURSEL, 2);
    ::SendMessageW(dialog->Handle(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                   reinterpret_cast<LPARAM>(dialog->Item(IDOK)));
    EXPECT_EQ(dialog->CurrentCode(), L"[----]");
}

TEST_F(LanguageSelection, EscLeavesTheCodeAlone)
{
    WriteLanguageFile(kTwoLanguages);
    Show(L"[1031]");
    combo.SetText(L"English");
    ::SendMessageW(dialog->Handle(), WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
    EXPECT_EQ(dialog->Result(), IDCANCEL);
    EXPECT_EQ(dialog->CurrentCode(), L"[1031]");
}

TEST_F(LanguageSelection, AMissingLanguageFileIsReportedAndTheEmptyDialogChangesNothing)
{
    WriteUserSettings({{L"Product ID", L"H7Missing"}});
    Show(L"[1031]");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, ExeFolder() + L"\\H7Missingtrl.ini was not found.");
    EXPECT_EQ(Control(dialog->Item(IDC_LANGUAGE_GROUP)).Text(), L"Choose!");
    EXPECT_TRUE(Items().empty());
    EXPECT_EQ(Field(), L"");
    EXPECT_EQ(Confirm(L"Deutsch"), L"[1031]");
}
