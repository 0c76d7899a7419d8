// The local file system as the panes and the transfer use it. The program
// uses the Win32 implementation; the native tests use an in-memory one.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// One level of a local folder, "." and ".." left out, hidden and system
// entries included, in enumeration order. Times are the entries' last-write
// times as FILETIME ticks (UTC), 0 where there is none.
struct LocalListing {
    std::vector<std::wstring> folderNames;
    std::vector<std::uint64_t> folderTimes;  // parallel to folderNames
    std::vector<std::wstring> fileNames;
    // Parallel to fileNames, from the same directory entries.
    std::vector<std::uint64_t> fileSizes;
    std::vector<std::uint64_t> fileTimes;
};

// A file's size and last-write time (FILETIME ticks, UTC).
struct LocalFileInfo {
    std::uint64_t size = 0;
    std::uint64_t time = 0;
};

// Folders this many levels below a collected folder are not entered.
constexpr int kMaxLocalTreeDepth = 64;

class LocalFiles {
public:
    virtual ~LocalFiles() = default;

    virtual LocalListing ListFolder(const std::wstring& folder) = 0;
    // Every file beneath the folder as a full path, depth first: a sub-folder's
    // files come where the sub-folder stands. Junctions and symbolic links to
    // folders are not followed; their full paths go to `links`.
    virtual std::vector<std::wstring> CollectFilesRecursive(const std::wstring& folder,
                                                            std::vector<std::wstring>& links) = 0;
    virtual bool Exists(const std::wstring& path) = 0;
    // Nothing when the path names no file (a folder, or nothing at all).
    virtual std::optional<LocalFileInfo> FileInfo(const std::wstring& path) = 0;
    // Creates one folder whose parent exists. On failure the reason is the
    // system's text.
    virtual bool CreateFolder(const std::wstring& path, std::wstring& reason) = 0;
    bool CreateFolder(const std::wstring& path)
    {
        std::wstring reason;
        return CreateFolder(path, reason);
    }
    // Whether a deletion of the entry goes to the recycle bin: not on network
    // shares, removable drives or any drive whose recycle bin refuses it.
    virtual bool GoesToRecycleBin(const std::wstring& path) = 0;
    // Sends the file or folder tree to the recycle bin where it goes there,
    // else deletes it for good, without a question of its own. An entry that
    // is not there counts as deleted. On failure the reason is the system's text.
    virtual bool DeleteToRecycleBin(const std::wstring& path, std::wstring& reason) = 0;
    // Gives a file or folder another name in the same folder; never replaces
    // an existing entry. On failure the reason is the system's text.
    virtual bool Rename(const std::wstring& from, const std::wstring& to, std::wstring& reason) = 0;
};
