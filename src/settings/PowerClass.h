// The utility object every window that touches settings holds one of: it reads
// and writes single values of the settings file, finds or creates the user's
// copy of it, reads the registry, splits compound values and enumerates local
// folders. It has no window.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class PowerClass {
public:
    enum class RegistryMode { ShellFolders, Machine };

    // The running program file's folder, without a trailing backslash.
    static std::wstring ProgramFolder();
    // A FindFirstFileW look-up; a path of 260 characters or more counts as absent.
    static bool PathExists(const std::wstring& path);
    // SHFileOperationW copy without any dialog; nothing when the source is missing.
    static void CopyIntoFolder(const std::wstring& sourceFile, const std::wstring& folder);

    // The value after the key's last occurrence, or empty. Throws FileError when
    // the settings file cannot be opened.
    std::wstring ReadSetting(const std::wstring& key);
    // Replaces the value after every occurrence of the key; a key the file lacks
    // is not added and the file is not touched. Throws FileError when the file
    // cannot be opened for reading. Returns false, leaving the file byte for byte
    // as it was, when the value holds a character above 255 or any step of the
    // safe write fails.
    bool WriteSetting(const std::wstring& key, const std::wstring& value);

    // Finds the user's copy of the settings (AppData\Velmo\<Product ID>\<Version>,
    // copied from the template beside the program on first use) and makes it this
    // object's settings file; the template stays in use when that is impossible.
    // Throws FileError when the template cannot be read. Returns the path.
    std::wstring ResolveSettingsPath();

    // Shell-folder mode reads under HKCU's Explorer "Shell Folders", machine mode
    // under HKLM at the registry key path. Empty when the key or value is missing
    // or empty; "No REG_SZ" for a value of another type.
    std::wstring ReadRegistryString(RegistryMode mode, const std::wstring& valueName);
    void SetRegistryKeyPath(const std::wstring& keyPath);

    void SplitFields(const std::wstring& text, wchar_t separator);
    const std::vector<std::wstring>& Fields() const;

    // Empty until ResolveSettingsPath has run; the template is used meanwhile.
    const std::wstring& SettingsPath() const;

    // One level of a local folder (pattern folder + "/*", "." and ".." skipped,
    // hidden and system entries included): bare names, in enumeration order.
    // Returns the number of entries.
    int ListFolder(const std::wstring& folder);
    // Every file beneath the folder as a full path, depth first: a sub-folder's
    // files come where the sub-folder stands. Replaces the file-name list.
    void CollectFilesRecursive(const std::wstring& folder);
    const std::vector<std::wstring>& FolderNames() const;
    const std::vector<std::wstring>& FileNames() const;
    // The sizes of the files ListFolder found, parallel to FileNames(), from the
    // same directory entries (no status query per file); empty after
    // CollectFilesRecursive.
    const std::vector<std::uint64_t>& FileSizes() const;

private:
    std::wstring FileInUse() const;
    static std::wstring TemplatePath();
    void CollectFrom(const std::wstring& folder);

    std::wstring m_registryKeyPath;
    std::wstring m_settingsPath;
    std::vector<std::wstring> m_fields;
    std::vector<std::wstring> m_folderNames;
    std::vector<std::wstring> m_fileNames;
    std::vector<std::uint64_t> m_fileSizes;
};
