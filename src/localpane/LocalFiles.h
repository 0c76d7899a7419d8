// The local file system as the panes and the transfer use it. The program
// uses the Win32 implementation; the native tests use an in-memory one.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One level of a local folder, "." and ".." left out, hidden and system
// entries included, in enumeration order.
struct LocalListing {
    std::vector<std::wstring> folderNames;
    std::vector<std::wstring> fileNames;
    // Parallel to fileNames, from the same directory entries.
    std::vector<std::uint64_t> fileSizes;
};

// Folders this many levels below a collected folder are not entered.
constexpr int kMaxLocalTreeDepth = 64;

class LocalFiles {
public:
    virtual ~LocalFiles() = default;

    virtual LocalListing ListFolder(const std::wstring& folder) = 0;
    // Every file beneath the folder as a full path, depth first: a sub-folder's
    // files come where the sub-folder stands. Junctions and symbolic links to
    // folders are not followed.
    virtual std::vector<std::wstring> CollectFilesRecursive(const std::wstring& folder) = 0;
    virtual bool Exists(const std::wstring& path) = 0;
    // Creates one folder whose parent exists.
    virtual bool CreateFolder(const std::wstring& path) = 0;
    // Sends the file or folder tree to the recycle bin without any dialog.
    virtual void DeleteToRecycleBin(const std::wstring& path) = 0;
};
