// The local file system on Win32: FindFirstFileW walks, CreateDirectoryW and
// the shell's recycle bin.
#pragma once

#include "localpane/LocalFiles.h"

class WinLocalFiles : public LocalFiles {
public:
    // The pattern keeps a forward slash before the star: FindFirstFileW
    // accepts it, and a drive given as "C:" then lists the drive's root rather
    // than its current folder.
    LocalListing ListFolder(const std::wstring& folder) override;
    std::vector<std::wstring> CollectFilesRecursive(const std::wstring& folder,
                                                    std::vector<std::wstring>& links) override;
    bool Exists(const std::wstring& path) override;
    std::optional<LocalFileInfo> FileInfo(const std::wstring& path) override;
    using LocalFiles::CreateFolder;
    bool CreateFolder(const std::wstring& path, std::wstring& reason) override;
    bool GoesToRecycleBin(const std::wstring& path) override;
    // Nothing happens when the path names no existing entry.
    bool DeleteToRecycleBin(const std::wstring& path, std::wstring& reason) override;
    bool Rename(const std::wstring& from, const std::wstring& to, std::wstring& reason) override;
};
