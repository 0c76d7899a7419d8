#include "settings/PowerClass.h"

#include "framework/LineFile.h"
#include "settings/FieldSplit.h"
#include "settings/SettingsLines.h"
#include "settings/SettingsLocation.h"
#include "settings/WinSafeWriteSteps.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>

namespace {

const wchar_t* const kShellFoldersKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const wchar_t* const kSettingsFileName = L"config.ini";
constexpr DWORD kLongestModulePath = 32768;
constexpr int kRegistryAttempts = 8;

struct FolderEntry {
    std::wstring name;
    bool isFolder;
    std::uint64_t size;
};

// One level of a folder, "." and ".." left out. The pattern keeps the forward
// slash before the star: FindFirstFileW accepts it, and a drive given as "C:"
// then lists the drive's root rather than its current folder.
std::vector<FolderEntry> EnumerateFolder(const std::wstring& folder)
{
    std::vector<FolderEntry> entries;
    WIN32_FIND_DATAW data;
    const HANDLE find = ::FindFirstFileW((folder + L"/*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return entries;
    do {
        const std::wstring name = data.cFileName;
        if (name != L"." && name != L"..")
            entries.push_back({name, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                               (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow});
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
    return entries;
}

void EnsureFolder(const std::wstring& folder)
{
    if (::GetFileAttributesW(folder.c_str()) == INVALID_FILE_ATTRIBUTES)
        ::CreateDirectoryW(folder.c_str(), nullptr);
}

// The value's type and bytes. The buffer is sized from the first answer, and
// again whenever the value has grown between two queries.
bool QueryValue(HKEY key, const wchar_t* name, DWORD& type, std::vector<BYTE>& data)
{
    DWORD size = 0;
    LONG status = ::RegQueryValueExW(key, name, nullptr, &type, nullptr, &size);
    for (int attempt = 0; attempt < kRegistryAttempts && (status == ERROR_SUCCESS || status == ERROR_MORE_DATA);
         ++attempt) {
        data.assign(size, 0);
        if (size == 0)
            return true;
        DWORD received = size;
        status = ::RegQueryValueExW(key, name, nullptr, &type, data.data(), &received);
        if (status == ERROR_SUCCESS) {
            data.resize(received);
            return true;
        }
        size = received > size ? received : size * 2;
    }
    return false;
}

// A REG_SZ value's text up to its first NUL; the stored value may lack one.
std::wstring TextOf(const std::vector<BYTE>& data)
{
    std::wstring text;
    for (size_t i = 0; i + 1 < data.size(); i += 2) {
        const wchar_t c = static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
        if (c == L'\0')
            break;
        text.push_back(c);
    }
    return text;
}

}  // namespace

std::wstring PowerClass::ProgramFolder()
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

bool PowerClass::PathExists(const std::wstring& path)
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

void PowerClass::CopyIntoFolder(const std::wstring& sourceFile, const std::wstring& folder)
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

std::wstring PowerClass::ReadSetting(const std::wstring& key)
{
    return ReadValue(LineFile::Read(FileInUse()), key);
}

bool PowerClass::WriteSetting(const std::wstring& key, const std::wstring& value)
{
    const std::wstring path = FileInUse();
    std::vector<std::wstring> lines = LineFile::Read(path);
    if (!LineFile::Fits8Bit(value))
        return false;
    if (!ReplaceValues(lines, key, value))
        return true;
    WinSafeWriteSteps steps;
    return SafeRewrite(steps, path, lines);
}

std::wstring PowerClass::ResolveSettingsPath()
{
    m_settingsPath = TemplatePath();
    const std::wstring appData = ReadRegistryString(RegistryMode::ShellFolders, L"AppData");
    if (appData.empty())
        return m_settingsPath;
    // "Product ID" and "Version" always come from the template, so a new
    // version starts with a fresh copy.
    const std::vector<std::wstring> templateLines = LineFile::Read(m_settingsPath);
    const std::vector<std::wstring> folders = UserSettingsFolders(
        appData, ReadValue(templateLines, L"Product ID"), ReadValue(templateLines, L"Version"));
    if (folders.empty())
        return m_settingsPath;
    for (const std::wstring& folder : folders)
        EnsureFolder(folder);
    const std::wstring userPath = folders.back() + L"\\" + kSettingsFileName;
    if (!PathExists(userPath)) {
        CopyIntoFolder(m_settingsPath, folders.back());
        if (!PathExists(userPath))
            return m_settingsPath;
    }
    m_settingsPath = userPath;
    return m_settingsPath;
}

std::wstring PowerClass::ReadRegistryString(RegistryMode mode, const std::wstring& valueName)
{
    const HKEY root = mode == RegistryMode::ShellFolders ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
    const std::wstring path = mode == RegistryMode::ShellFolders ? kShellFoldersKey : m_registryKeyPath;
    HKEY key = nullptr;
    if (::RegOpenKeyExW(root, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return std::wstring();
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
    const bool found = QueryValue(key, valueName.c_str(), type, data);
    ::RegCloseKey(key);
    if (!found || data.empty())
        return std::wstring();
    return type == REG_SZ ? TextOf(data) : L"No REG_SZ";
}

void PowerClass::SetRegistryKeyPath(const std::wstring& keyPath)
{
    m_registryKeyPath = keyPath;
}

void PowerClass::SplitFields(const std::wstring& text, wchar_t separator)
{
    m_fields = ::SplitFields(text, separator);
}

const std::vector<std::wstring>& PowerClass::Fields() const
{
    return m_fields;
}

const std::wstring& PowerClass::SettingsPath() const
{
    return m_settingsPath;
}

int PowerClass::ListFolder(const std::wstring& folder)
{
    m_folderNames.clear();
    m_fileNames.clear();
    m_fileSizes.clear();
    for (FolderEntry& entry : EnumerateFolder(folder)) {
        if (!entry.isFolder)
            m_fileSizes.push_back(entry.size);
        (entry.isFolder ? m_folderNames : m_fileNames).push_back(std::move(entry.name));
    }
    return static_cast<int>(m_folderNames.size() + m_fileNames.size());
}

void PowerClass::CollectFilesRecursive(const std::wstring& folder)
{
    m_fileNames.clear();
    m_fileSizes.clear();
    CollectFrom(folder);
}

const std::vector<std::wstring>& PowerClass::FolderNames() const
{
    return m_folderNames;
}

const std::vector<std::wstring>& PowerClass::FileNames() const
{
    return m_fileNames;
}

const std::vector<std::uint64_t>& PowerClass::FileSizes() const
{
    return m_fileSizes;
}

std::wstring PowerClass::FileInUse() const
{
    return m_settingsPath.empty() ? TemplatePath() : m_settingsPath;
}

std::wstring PowerClass::TemplatePath()
{
    return ProgramFolder() + L"\\" + kSettingsFileName;
}

void PowerClass::CollectFrom(const std::wstring& folder)
{
    for (const FolderEntry& entry : EnumerateFolder(folder)) {
        const std::wstring path = folder + L"\\" + entry.name;
        if (entry.isFolder)
            CollectFrom(path);
        else
            m_fileNames.push_back(path);
    }
}
