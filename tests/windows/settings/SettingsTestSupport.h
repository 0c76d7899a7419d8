// Helpers of the settings tests: the user's AppData shell folder pointed at a
// scratch folder for the length of a test, and the template's own names.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace settingstest {

// Points HKCU's "AppData" shell folder at the folder (or removes the value for
// an empty folder) and puts the original value back when it goes.
class AppDataRedirect {
public:
    explicit AppDataRedirect(const std::wstring& folder);
    ~AppDataRedirect();
    AppDataRedirect(const AppDataRedirect&) = delete;
    AppDataRedirect& operator=(const AppDataRedirect&) = delete;

    // Stores the value with a type other than REG_SZ.
    static void SetExpandString(const std::wstring& folder);

private:
    std::optional<std::wstring> m_original;
};

// A registry key of the tests' own below HKLM\Software, removed when it goes.
class MachineTestKey {
public:
    MachineTestKey();
    ~MachineTestKey();
    MachineTestKey(const MachineTestKey&) = delete;
    MachineTestKey& operator=(const MachineTestKey&) = delete;

    static const wchar_t* Path();
    void SetBytes(const wchar_t* name, DWORD type, const void* data, DWORD size);
    void SetText(const wchar_t* name, const std::wstring& text);  // with its NUL

private:
    HKEY m_key = nullptr;
};

// The template beside the test executable and the user folder it names below
// an AppData folder: AppData\Velmo\<Product ID>\<Version>.
std::wstring TemplatePath();
std::wstring UserFolder(const std::wstring& appData);

}  // namespace settingstest
