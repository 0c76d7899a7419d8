#include "localpane/WinLocalFiles.h"

#include "framework/SystemErrorText.h"

#include <windows.h>
#include <shellapi.h>

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

// The entries but "." and ".."; the time of ".." goes to parentTime when asked for.
std::vector<FolderEntry> EnumerateFolder(const std::wstring& folder, std::uint64_t* parentTime = nullptr)
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
        else if (name == L".." && parentTime)
            *parentTime = Ticks(data.ftLastWriteTime);
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
    return entries;
}

// A junction or link to a folder above would lead back into the same files at
// every level: links are not followed, and the depth is bounded as well.
void CollectFrom(const std::wstring& folder, int depth, std::vector<std::wstring>& files)
{
    for (const FolderEntry& entry : EnumerateFolder(folder)) {
        const std::wstring path = folder + L"\\" + entry.name;
        if (!entry.isFolder)
            files.push_back(path);
        else if (!entry.isLink && depth + 1 < kMaxLocalTreeDepth)
            CollectFrom(path, depth + 1, files);
    }
}

}  // namespace

LocalListing WinLocalFiles::ListFolder(const std::wstring& folder)
{
    LocalListing listing;
    for (FolderEntry& entry : EnumerateFolder(folder, &listing.parentTime)) {
        if (!entry.isFolder)
            listing.fileSizes.push_back(entry.size);
        (entry.isFolder ? listing.folderTimes : listing.fileTimes).push_back(entry.lastWriteTime);
        (entry.isFolder ? listing.folderNames : listing.fileNames).push_back(std::move(entry.name));
    }
    return listing;
}

std::vector<std::wstring> WinLocalFiles::CollectFilesRecursive(const std::wstring& folder)
{
    std::vector<std::wstring> files;
    CollectFrom(folder, 0, files);
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

bool WinLocalFiles::CreateFolder(const std::wstring& path)
{
    return ::CreateDirectoryW(path.c_str(), nullptr) != FALSE;
}

void WinLocalFiles::DeleteToRecycleBin(const std::wstring& path)
{
    // Both the look-up and SHFileOperationW treat * and ? as wildcards, which
    // would reach entries other than the one named; no real name holds them.
    if (path.empty() || path.find_first_of(L"*?") != std::wstring::npos)
        return;
    WIN32_FIND_DATAW found;
    const HANDLE find = ::FindFirstFileW(path.c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return;
    ::FindClose(find);

    // pFrom is a list of paths ended by an empty one: c_str() adds the second NUL.
    std::wstring from = path;
    from.push_back(L'\0');
    SHFILEOPSTRUCTW operation = {};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_SILENT | FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_ALLOWUNDO;
    ::SHFileOperationW(&operation);
}

bool WinLocalFiles::Rename(const std::wstring& from, const std::wstring& to, std::wstring& reason)
{
    // MoveFileW never replaces an existing target.
    if (::MoveFileW(from.c_str(), to.c_str()))
        return true;
    reason = SystemErrorText(::GetLastError());
    return false;
}
