#include "settings/SettingsTestSupport.h"

#include "common/TestEnvironment.h"
#include "framework/LineFile.h"
#include "settings/SettingsLines.h"

#include <vector>

namespace settingstest {

namespace {

const wchar_t* const kShellFolders = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

HKEY OpenShellFolders()
{
    HKEY key = nullptr;
    ::RegCreateKeyExW(HKEY_CURRENT_USER, kShellFolders, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr,
                      &key, nullptr);
    return key;
}

void SetAppData(HKEY key, DWORD type, const std::wstring& folder)
{
    ::RegSetValueExW(key, L"AppData", 0, type, reinterpret_cast<const BYTE*>(folder.c_str()),
                     static_cast<DWORD>((folder.size() + 1) * sizeof(wchar_t)));
}

}  // namespace

AppDataRedirect::AppDataRedirect(const std::wstring& folder)
{
    const HKEY key = OpenShellFolders();
    wchar_t buffer[1024] = {};
    DWORD size = sizeof(buffer) - sizeof(wchar_t);
    DWORD type = 0;
    if (::RegQueryValueExW(key, L"AppData", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) == ERROR_SUCCESS)
        m_original = buffer;
    if (folder.empty())
        ::RegDeleteValueW(key, L"AppData");
    else
        SetAppData(key, REG_SZ, folder);
    ::RegCloseKey(key);
}

AppDataRedirect::~AppDataRedirect()
{
    const HKEY key = OpenShellFolders();
    if (m_original)
        SetAppData(key, REG_SZ, *m_original);
    else
        ::RegDeleteValueW(key, L"AppData");
    ::RegCloseKey(key);
}

void AppDataRedirect::SetExpandString(const std::wstring& folder)
{
    const HKEY key = OpenShellFolders();
    SetAppData(key, REG_EXPAND_SZ, folder);
    ::RegCloseKey(key);
}

MachineTestKey::MachineTestKey()
{
    ::RegCreateKeyExW(HKEY_LOCAL_MACHINE, Path(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &m_key, nullptr);
}

MachineTestKey::~MachineTestKey()
{
    ::RegCloseKey(m_key);
    ::RegDeleteKeyW(HKEY_LOCAL_MACHINE, Path());
}

const wchar_t* MachineTestKey::Path()
{
    return L"Software\\FTPTandrilSettingsTests";
}

void MachineTestKey::SetBytes(const wchar_t* name, DWORD type, const void* data, DWORD size)
{
    ::RegSetValueExW(m_key, name, 0, type, static_cast<const BYTE*>(data), size);
}

void MachineTestKey::SetText(const wchar_t* name, const std::wstring& text)
{
    SetBytes(name, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

std::wstring TemplatePath()
{
    return testenv::ExeFolder() + L"\\config.ini";
}

std::wstring UserFolder(const std::wstring& appData)
{
    const std::vector<std::wstring> lines = LineFile::Read(TemplatePath());
    return appData + L"\\Velmo\\" + ReadValue(lines, L"Product ID") + L"\\" + ReadValue(lines, L"Version");
}

}  // namespace settingstest
