#include "common/TestEnvironment.h"
#include "framework/FileError.h"
#include "i18n/CTranslation.h"
#include "settings/Registry.h"
#include "settings/SettingsFile.h"
#include "settings/UserSettingsCopy.h"
#include "settings/SettingsTestSupport.h"

#include <gtest/gtest.h>

namespace {

const char* const kLanguageFile =
    "; test language file\r\n"
    "[1031]\r\n"
    "00000 Deutsch\r\n"
    "00005 Hinweis\r\n"
    "[EOL]\r\n"
    "[1033]\r\n"
    "00000 English\r\n"
    "00005 Note\r\n"
    "00005 second five\r\n"
    "99999 stop\r\n"
    "00010 after the stop\r\n"
    "[EOL]\r\n"
    "[1036]\n"
    "00000 Fran\xe7" "ais\n"
    "00005 Remarque";

// The language file is found beside the program through "Product ID"; a
// relative one keeps the test's language files in the scratch area.
class Translation : public ::testing::Test {
protected:
    Translation()
        : m_root(testenv::ScratchFolder(L"translation")), m_redirect(m_root + L"\\appdata")
    {
        testenv::MakeFolders(settingstest::UserFolder(m_root + L"\\appdata"));
        testenv::WriteFile(m_root + L"\\Langtrl.ini", kLanguageFile);
        m_settings.ResolveSettingsPath();
    }

    void Settings(const std::string& productId, const std::string& languageLines, const std::string& dialect = "")
    {
        testenv::WriteFile(settingstest::UserFolder(m_root + L"\\appdata") + L"\\config.ini",
                           "Product ID\r\n" + productId + "\r\n" + languageLines + "Dialects[1031]\r\n" + dialect +
                               "\r\nDialects[1033]\r\n[2057]\r\n");
    }

    static std::string ScratchProduct() { return "..\\scratch\\translation\\Lang"; }

    std::wstring m_root;
    settingstest::AppDataRedirect m_redirect;
    SettingsFile m_settings;
};

}  // namespace

TEST_F(Translation, LoadsTheChosenOrTheSystemsSection)
{
    // A number the section lacks reads "---", or the English section's stop entry.
    struct Case {
        const char* what;
        std::string language;
        std::string dialect;
        std::wstring name;
        std::wstring five;
        std::wstring missing;
    };
    const Case cases[] = {
        {"German", "Language\r\n[1031]\r\n", "", L"Deutsch", L"Hinweis", L"---"},
        {"French, unterminated at the end of the file", "Language\r\n[1036]\r\n", "", L"Fran\u00e7ais",
         L"Remarque", L"---"},
        {"system language 0409", "Language\r\n[----]\r\n", "", L"English", L"Note", L"stop"},
        {"system language through a dialect list", "Language\r\n[----]\r\n", "[3079][1033]", L"Deutsch",
         L"Hinweis", L"---"},
        {"empty value follows the system", "Language\r\n\r\n", "", L"English", L"Note", L"stop"},
        {"absent value follows the system", "", "", L"English", L"Note", L"stop"},
        {"section the file lacks", "Language\r\n[1040]\r\n", "", L"---", L"---", L"---"},
        {"header with a trailing blank", "Language\r\n[1031] \r\n", "", L"---", L"---", L"---"},
    };
    for (const Case& c : cases) {
        Settings(ScratchProduct(), c.language, c.dialect);
        CTranslation table(m_settings);
        EXPECT_EQ(table.Text(TextId(0)), L"---") << c.what << ": not loaded yet";
        table.Load();
        EXPECT_EQ(table.Text(TextId(0)), c.name) << c.what;
        EXPECT_EQ(table.Text(TextId::kMessageCaption), c.five) << c.what;
        EXPECT_EQ(table.Text(TextId(77)), c.missing) << c.what;
    }
}

TEST_F(Translation, FirstEntryWinsAndTheStopEntryEndsTheWalk)
{
    Settings(ScratchProduct(), "Language\r\n[1033]\r\n");
    CTranslation table(m_settings);
    table.Load();
    EXPECT_EQ(table.Text(TextId::kMessageCaption), L"Note");
    EXPECT_EQ(table.Text(TextId::kNameColumn), L"stop");
    EXPECT_EQ(table.Text(TextId(12345)), L"stop");
}

TEST_F(Translation, MissingLanguageFileIsAFileErrorAndKeepsTheTable)
{
    Settings(ScratchProduct(), "Language\r\n[1031]\r\n");
    CTranslation table(m_settings);
    table.Load();
    struct Case { const char* what; std::string productId; std::wstring file; };
    const Case cases[] = {
        {"no such file", "..\\scratch\\translation\\None", L"\\..\\scratch\\translation\\Nonetrl.ini"},
        {"empty Product ID", "", L"\\trl.ini"},
    };
    for (const Case& c : cases) {
        Settings(c.productId, "Language\r\n[1033]\r\n");
        EXPECT_EQ(table.LanguageFilePath(), ProgramFolder() + c.file) << c.what;
        try {
            table.Load();
            ADD_FAILURE() << c.what << ": no FileError";
        } catch (const FileError& error) {
            EXPECT_EQ(error.Path(), ProgramFolder() + c.file) << c.what;
        }
        EXPECT_EQ(table.Text(TextId::kMessageCaption), L"Hinweis") << c.what;
    }
}
