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
    // Folders whose content a tree walk could not read (no login, no entry,
    // listing refused, or too deep), so that a caller can report them.
    std::vector<std::wstring> unlistedFolders;
    // Why, at the same positions (kNone for a folder too deep to enter).
    std::vector<FtpFailure> unlistedReasons;
};
