#include "ftp/FtpListing.h"

void FtpListing::Clear()
{
    fileNames.clear();
    fileSizes.clear();
    folderNames.clear();
    fileTimes.clear();
    folderTimes.clear();
    parentTime = 0;
    unlistedFolders.clear();
    unlistedReasons.clear();
    unusableNames.clear();
    folderLimitReached = false;
}
