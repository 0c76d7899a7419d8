#include "localpane/WinLocalFiles.h"

#include "framework/SystemErrorText.h"

#include <windows.h>
#include <shellapi.h>

#include <initializer_list>

namespace {

struct FolderEntry {
    std::wstring name;
    bool isFolder;
    bool isLink;  // a junction or symbolic link
    std::uint64_t size;
    std::uint64_t lastWriteTime;
};

std::uint64_t Ticks(const FILETIME& time)
{
    return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// The entries but "." and "..".
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
                               (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0,
                               (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow,
                               Ticks(data.ftLastWriteTime)});
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
    return entries;
}

// A junction or link to a folder above would lead back into the same files at
// every level: links are not followed, and the depth is bounded as well.
void CollectFrom(const std::wstring& folder, int depth, std::vector<std::wstring>& files,
                 std::vector<std::wstring>& links)
{
    for (const FolderEntry& entry : EnumerateFolder(folder)) {
        const std::wstring path = folder + L"\\" + entry.name;
        if (!entry.isFolder)
            files.push_back(path);
        else if (entry.isLink)
            links.push_back(path);
        else if (depth + 1 < kMaxLocalTreeDepth)
            CollectFrom(path, depth + 1, files, links);
    }
}

// The DWORD value, 0 when it is missing or of another type.
DWORD RegistryDword(HKEY hive, const std::wstring& key, const wchar_t* value)
{
    DWORD data = 0;
    DWORD size = sizeof data;
    if (::RegGetValueW(hive, key.c_str(), value, RRF_RT_REG_DWORD, nullptr, &data, &size) != ERROR_SUCCESS)
        return 0;
    return data;
}

// SHFileOperationW answers Win32 error codes, or one of the codes it kept
// from before Win32 (DE_*, 0x71 to 0x88, and 0x402), which share their numbers
// with unrelated Win32 errors: those are told as the nearest Win32 error. An
// entry still there after a reported success, or a code without a nearer
// one, most often lacks the right to be deleted.
DWORD ShellOperationError(int result)
{
    switch (result) {
    case 0x75: return ERROR_CANCELLED;  // DE_OPCANCELLED
    case 0x79:                          // DE_PATHTOODEEP
    case 0x81:                          // DE_FILENAMETOOLONG
        return ERROR_FILENAME_EXCED_RANGE;
    case 0x7C: return ERROR_FILE_NOT_FOUND;  // DE_INVALIDFILES
    case 0x86:                               // DE_SRC_IS_CDROM
    case 0x87:                               // DE_SRC_IS_DVD
    case 0x88:                               // DE_SRC_IS_CDRECORD
        return ERROR_WRITE_PROTECT;
    default:
        return result == 0 || (result >= 0x71 && result <= 0x88) || result == 0x402 ? ERROR_ACCESS_DENIED
                                                                                    : static_cast<DWORD>(result);
    }
}

}  // namespace

LocalListing WinLocalFiles::ListFolder(const std::wstring& folder)
{
    LocalListing listing;
    for (FolderEntry& entry : EnumerateFolder(folder)) {
        if (!entry.isFolder)
            listing.fileSizes.push_back(entry.size);
        (entry.isFolder ? listing.folderTimes : listing.fileTimes).push_back(entry.lastWriteTime);
        (entry.isFolder ? listing.folderNames : listing.fileNames).push_back(std::move(entry.name));
    }
    return listing;
}

std::vector<std::wstring> WinLocalFiles::CollectFilesRecursive(const std::wstring& folder,
                                                               std::vector<std::wstring>& links)
{
    std::vector<std::wstring> files;
    CollectFrom(folder, 0, files, links);
    return files;
}

bool WinLocalFiles::Exists(const std::wstring& path)
{
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::optional<LocalFileInfo> WinLocalFiles::FileInfo(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::nullopt;
    return LocalFileInfo{(static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow,
                         (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                             data.ftLastWriteTime.dwLowDateTime};
}

bool WinLocalFiles::CreateFolder(const std::wstring& path, std::wstring& reason)
{
    if (::CreateDirectoryW(path.c_str(), nullptr))
        return true;
    reason = SystemErrorText(::GetLastError());
    return false;
}

bool WinLocalFiles::GoesToRecycleBin(const std::wstring& path)
{
    wchar_t root[MAX_PATH] = {};
    if (path.empty() || !::GetVolumePathNameW(path.c_str(), root, MAX_PATH))
        return false;
    // Shares reached by a UNC path have no recycle bin, nor have network,
    // removable and optical drives: the shell deletes there for good.
    if ((root[0] == L'\\' && root[1] == L'\\' && root[2] != L'?') || ::GetDriveTypeW(root) != DRIVE_FIXED)
        return false;
    // Nor where the recycle bin is switched off: by policy for every drive, or
    // in its properties for this volume, which Explorer keeps by the volume's
    // GUID. (SHQueryRecycleBinW tells neither; under Wine it reads the whole
    // bin and was seen to fail now and then.)
    for (HKEY hive : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE})
        if (RegistryDword(hive, L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer", L"NoRecycleFiles"))
            return false;
    wchar_t volume[MAX_PATH] = {};
    if (!::GetVolumeNameForVolumeMountPointW(root, volume, MAX_PATH))
        return true;
    const std::wstring name = volume;  // "\\?\Volume{GUID}\"
    const std::size_t open = name.find(L'{');
    const std::size_t close = name.find(L'}');
    return open == std::wstring::npos || close == std::wstring::npos ||
           !RegistryDword(HKEY_CURRENT_USER,
                          L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\BitBucket\\Volume\\" +
                              name.substr(open, close - open + 1),
                          L"NukeOnDelete");
}

bool WinLocalFiles::DeleteToRecycleBin(const std::wstring& path, std::wstring& reason)
{
    // Both the look-up and SHFileOperationW treat * and ? as wildcards, which
    // would reach entries other than the one named; no real name holds them.
    if (path.empty() || path.find_first_of(L"*?") != std::wstring::npos)
        return true;
    WIN32_FIND_DATAW found;
    const HANDLE find = ::FindFirstFileW(path.c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return true;
    ::FindClose(find);

    // pFrom is a list of paths ended by an empty one: c_str() adds the second NUL.
    std::wstring from = path;
    from.push_back(L'\0');
    SHFILEOPSTRUCTW operation = {};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    // No FOF_WANTNUKEWARNING: Wine asks with it whenever its trash fails,
    // even for a file another program holds open, which then fails anyway.
    operation.fFlags = FOF_SILENT | FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_ALLOWUNDO;
    const int result = ::SHFileOperationW(&operation);
    if (::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES)
        return true;
    reason = SystemErrorText(ShellOperationError(result));
    return false;
}

bool WinLocalFiles::Rename(const std::wstring& from, const std::wstring& to, std::wstring& reason)
{
    // MoveFileW never replaces an existing target.
    if (::MoveFileW(from.c_str(), to.c_str()))
        return true;
    reason = SystemErrorText(::GetLastError());
    return false;
}
