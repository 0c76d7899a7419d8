// The contents of one FTP folder, or of a whole folder tree after a tree walk.
#pragma once

#include "ftp/FtpFailure.h"

#include <cstdint>
#include <string>
#include <vector>

class FtpListing {
public:
    // Empties every collection; each filling operation starts with this.
    void Clear();

    // Plain files in server order (paths below the starting folder after a
    // tree walk), with their full 64-bit sizes at the same positions.
    std::vector<std::wstring> fileNames;
    std::vector<std::uint64_t> fileSizes;
    // Sub-folders in server order, never "." or "..".
    std::vector<std::wstring> folderNames;
    // The last-write times WinINet reports, as FILETIME ticks at the
    // positions of fileNames and folderNames (0 where the server gave none;
    // a tree walk gives only the files'), and the time of a ".." entry if a
    // folder's listing had one.
    std::vector<std::uint64_t> fileTimes;
    std::vector<std::uint64_t> folderTimes;
    std::uint64_t parentTime = 0;
    // Folders whose content a tree walk could not read (no login, no entry,
    // listing refused, or too deep), so that a caller can report them.
    std::vector<std::wstring> unlistedFolders;
    // Why, at the same positions (kNone for a folder too deep to enter).
    std::vector<FtpFailure> unlistedReasons;
    // Entries a tree walk met whose names hold "/" or "\": no path can reach them.
    std::vector<std::wstring> unusableNames;
    // The tree walk stopped listing folders at kMaxTreeFolders.
    bool folderLimitReached = false;
};

// A folder's listing as an operation found it: the listing, or why there is none.
struct FtpFolderResult {
    bool listed = false;
    FtpListing listing;
    FtpFailure failure;
};
