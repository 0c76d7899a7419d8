#include "common/TestEnvironment.h"
#include "settings/Registry.h"
#include "settings/SettingsFile.h"
#include "settings/UserSettingsCopy.h"
#include "settings/SettingsTestSupport.h"

#include <gtest/gtest.h>

using settingstest::AppDataRedirect;
using settingstest::TemplatePath;
using settingstest::UserFolder;

TEST(ResolveSettingsPath, FirstUseCopiesTheTemplateOnceAndLaterUsesKeepTheCopy)
{
    const std::wstring appData = testenv::ScratchFolder(L"resolve-first-use");
    AppDataRedirect redirect(appData);
    const std::wstring userPath = UserFolder(appData) + L"\\config.ini";
    const std::string templateBytes = testenv::ReadFile(TemplatePath());

    SettingsFile first;
    EXPECT_TRUE(first.SettingsPath().empty());
    EXPECT_EQ(first.ResolveSettingsPath(), userPath);
    EXPECT_EQ(first.SettingsPath(), userPath);
    EXPECT_EQ(testenv::ReadFile(userPath), templateBytes);

    ASSERT_TRUE(first.WriteSetting(L"Local Folder Data", L"C:\\kept"));
    SettingsFile later;
    EXPECT_EQ(later.ResolveSettingsPath(), userPath);
    EXPECT_EQ(later.ReadSetting(L"Local Folder Data"), L"C:\\kept");
    EXPECT_EQ(testenv::ReadFile(TemplatePath()), templateBytes) << "the template is never written";
}

TEST(ResolveSettingsPath, WithoutAUsableAppDataTheTemplateStaysInUse)
{
    const std::wstring scratch = testenv::ScratchFolder(L"resolve-fallback");
    testenv::WriteFile(scratch + L"\\a-file", "x");
    struct Case { const char* what; std::wstring appData; bool expandType; };
    const Case cases[] = {
        {"no AppData value", L"", false},
        {"folders cannot be made below a file", scratch + L"\\a-file\\sub", false},
        {"not a REG_SZ value", scratch + L"\\expand", true},
        {"relative AppData", L"relative-appdata", false},
    };
    for (const Case& c : cases) {
        AppDataRedirect redirect(c.expandType ? scratch : c.appData);
        if (c.expandType)
            AppDataRedirect::SetExpandString(c.appData);
        SettingsFile power;
        EXPECT_EQ(power.ResolveSettingsPath(), TemplatePath()) << c.what;
        EXPECT_EQ(power.SettingsPath(), TemplatePath()) << c.what;
        EXPECT_FALSE(power.ReadSetting(L"Product ID").empty()) << c.what << ": reads the template";
    }
    EXPECT_FALSE(testenv::Exists(scratch + L"\\expand"));
    EXPECT_FALSE(testenv::Exists(testenv::ExeFolder() + L"\\relative-appdata"));
    EXPECT_FALSE(testenv::Exists(testenv::ExeFolder() + L"\\No REG_SZ"));
}

TEST(ResolveSettingsPath, AnOlderCopyIsUsedWhenItsFolderAlreadyExists)
{
    const std::wstring appData = testenv::ScratchFolder(L"resolve-older-copy");
    const std::wstring folder = UserFolder(appData);
    testenv::MakeFolders(folder);
    testenv::WriteFile(folder + L"\\config.ini", "Language\r\n[1031]\r\n");
    AppDataRedirect redirect(appData);
    SettingsFile power;
    EXPECT_EQ(power.ResolveSettingsPath(), folder + L"\\config.ini");
    EXPECT_EQ(power.ReadSetting(L"Language"), L"[1031]");
    EXPECT_EQ(power.ReadSetting(L"Product ID"), L"") << "never merged with the template";
}

TEST(ResolveSettingsPath, TheTemplateHoldsEveryKey)
{
    SettingsFile power;
    const wchar_t* const keys[] = {L"FTP Data", L"Powersetting 2000", L"FTP Passive", L"Local Folder Data", L"Language",
                                   L"Dialects[1031]", L"Dialects[1033]", L"Dialects[1036]", L"Dialects[1034]",
                                   L"Dialects[1043]", L"Dialects[1046]", L"Product ID", L"Version", L"Homepage"};
    const std::string bytes = testenv::ReadFile(TemplatePath());
    for (const wchar_t* key : keys) {
        std::string line(key, key + wcslen(key));
        EXPECT_NE(bytes.find(line + "\r\n"), std::string::npos) << line;
    }
    EXPECT_EQ(power.ReadSetting(L"FTP Data"), L"---");
    EXPECT_EQ(power.ReadSetting(L"FTP Passive"), L"1");
    EXPECT_EQ(power.ReadSetting(L"Local Folder Data"), L"---");
    EXPECT_EQ(power.ReadSetting(L"Language"), L"[----]");
}
