#include "settings/UserSettingsCopy.h"

#include "framework/LineFile.h"
#include "settings/Registry.h"
#include "settings/SettingsLines.h"
#include "settings/SettingsLocation.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <vector>

namespace {

const wchar_t* const kSettingsFileName = L"config.ini";
constexpr DWORD kLongestModulePath = 32768;

void EnsureFolder(const std::wstring& folder)
{
    if (::GetFileAttributesW(folder.c_str()) == INVALID_FILE_ATTRIBUTES)
        ::CreateDirectoryW(folder.c_str(), nullptr);
}

}  // namespace

std::wstring ProgramFolder()
{
    std::vector<wchar_t> buffer(MAX_PATH);
    DWORD length = 0;
    for (;;) {
        length = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length < buffer.size() || buffer.size() >= kLongestModulePath)
            break;
        buffer.resize(buffer.size() * 2);
    }
    const std::wstring path(buffer.data(), std::min<size_t>(length, buffer.size()));
    const size_t slash = path.rfind(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

std::wstring SettingsTemplatePath()
{
    return ProgramFolder() + L"\\" + kSettingsFileName;
}

bool PathExists(const std::wstring& path)
{
    if (path.empty() || path.size() >= MAX_PATH)
        return false;
    WIN32_FIND_DATAW data;
    const HANDLE find = ::FindFirstFileW(path.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return false;
    ::FindClose(find);
    return true;
}

void CopyIntoFolder(const std::wstring& sourceFile, const std::wstring& folder)
{
    if (!PathExists(sourceFile))
        return;
    // Both are lists ended by a double NUL: one pushed here, one from c_str().
    std::wstring from = sourceFile;
    from.push_back(L'\0');
    std::wstring to = folder;
    to.push_back(L'\0');
    SHFILEOPSTRUCTW operation = {};
    operation.wFunc = FO_COPY;
    operation.pFrom = from.c_str();
    operation.pTo = to.c_str();
    operation.fFlags = FOF_SILENT | FOF_NOCONFIRMATION | FOF_NOCONFIRMMKDIR;
    ::SHFileOperationW(&operation);
}

std::wstring ResolveUserSettingsCopy()
{
    const std::wstring templatePath = SettingsTemplatePath();
    const std::wstring appData = ReadRegistryString(RegistryRoot::kShellFolders, kShellFoldersKey, L"AppData");
    if (appData.empty())
        return templatePath;
    // "Product ID" and "Version" always come from the template, so a new
    // version starts with a fresh copy.
    const std::vector<std::wstring> templateLines = LineFile::Read(templatePath);
    const std::vector<std::wstring> folders = UserSettingsFolders(
        appData, ReadValue(templateLines, L"Product ID"), ReadValue(templateLines, L"Version"));
    if (folders.empty())
        return templatePath;
    for (const std::wstring& folder : folders)
        EnsureFolder(folder);
    const std::wstring userPath = folders.back() + L"\\" + kSettingsFileName;
    if (!PathExists(userPath)) {
        CopyIntoFolder(templatePath, folders.back());
        if (!PathExists(userPath))
            return templatePath;
    }
    return userPath;
}
