#include "ftp/FtpListing.h"

void FtpListing::Clear()
{
    fileNames.clear();
    fileSizes.clear();
    folderNames.clear();
    unlistedFolders.clear();
    unlistedReasons.clear();
}
