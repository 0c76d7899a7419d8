#include "settings/Registry.h"
#include "settings/SettingsTestSupport.h"

#include <gtest/gtest.h>

using settingstest::MachineTestKey;

TEST(RegistryWin, ReadsTheSystemsOwnValues)
{
    EXPECT_FALSE(ReadRegistryString(RegistryRoot::kShellFolders, kShellFoldersKey, L"AppData").empty());
    EXPECT_EQ(ReadRegistryString(RegistryRoot::kMachine, L"SYSTEM\\CurrentControlSet\\Control\\Nls\\Language",
                                 L"Default"),
              L"0409");
}

TEST(RegistryWin, ValueTypesSizesAndAbsence)
{
    MachineTestKey key;
    const std::wstring longText(70000, L'w');
    key.SetText(L"long", longText);
    key.SetText(L"plain", L"C:\\data");
    key.SetText(L"empty", L"");
    const DWORD number = 7;
    key.SetBytes(L"number", REG_DWORD, &number, sizeof(number));
    const wchar_t unterminated[] = {L'a', L'b'};
    key.SetBytes(L"unterminated", REG_SZ, unterminated, sizeof(unterminated));
    const wchar_t early[] = L"ab\0cd";
    key.SetBytes(L"early nul", REG_SZ, early, sizeof(early));
    key.SetBytes(L"no bytes", REG_SZ, L"", 0);

    struct Case { const wchar_t* name; std::wstring text; };
    const Case cases[] = {
        {L"long", longText},
        {L"plain", L"C:\\data"},
        {L"empty", L""},
        {L"number", L"No REG_SZ"},
        {L"unterminated", L"ab"},
        {L"early nul", L"ab"},
        {L"no bytes", L""},
        {L"absent", L""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReadRegistryString(RegistryRoot::kMachine, MachineTestKey::Path(), c.name), c.text) << c.name;

    EXPECT_EQ(ReadRegistryString(RegistryRoot::kMachine, L"Software\\FTPTandrilNoSuchKey", L"plain"), L"");
}
