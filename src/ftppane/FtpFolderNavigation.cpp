#include "ftppane/FtpFolderNavigation.h"

#include "ftp/FtpPath.h"

std::wstring SubFolderPath(const std::wstring& folder, const std::wstring& name)
{
    return JoinFtpPath(folder, name);
}

std::wstring ParentFolderPath(const std::wstring& folder)
{
    const std::size_t slash = folder.rfind(L'/');
    if (slash == std::wstring::npos)
        return std::wstring();
    // An absolute folder stays absolute: the root is its own parent, and the
    // parent of "/x" is the root, not the login directory.
    return slash == 0 ? std::wstring(L"/") : folder.substr(0, slash);
}
