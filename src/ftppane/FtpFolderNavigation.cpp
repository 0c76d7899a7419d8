#include "ftppane/FtpFolderNavigation.h"

std::wstring SubFolderPath(const std::wstring& folder, const std::wstring& name)
{
    return folder.empty() ? name : folder + L"/" + name;
}

std::wstring ParentFolderPath(const std::wstring& folder)
{
    const std::size_t slash = folder.rfind(L'/');
    return slash == std::wstring::npos ? std::wstring() : folder.substr(0, slash);
}
