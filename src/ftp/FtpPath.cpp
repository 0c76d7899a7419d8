#include "ftp/FtpPath.h"

std::wstring JoinFtpPath(const std::wstring& folder, const std::wstring& name)
{
    if (folder.empty())
        return name;
    if (folder.back() == L'/')
        return folder + name;
    return folder + L"/" + name;
}

void SplitFtpPath(const std::wstring& path, std::wstring& folder, std::wstring& name)
{
    const std::size_t slash = path.rfind(L'/');
    if (slash == std::wstring::npos) {
        folder.clear();
        name = path;
        return;
    }
    folder = slash == 0 ? std::wstring(L"/") : path.substr(0, slash);
    name = path.substr(slash + 1);
}

bool IsUsableEntryName(const std::wstring& name)
{
    return !name.empty() && name != L"." && name != L".." && name.find_first_of(L"/\\") == std::wstring::npos;
}

std::wstring RemoteNameOfLocalPath(const std::wstring& localPath)
{
    const std::size_t separator = localPath.find_last_of(L"\\/");
    return separator == std::wstring::npos ? localPath : localPath.substr(separator + 1);
}

std::uint64_t CombineFileSize(std::uint32_t high, std::uint32_t low)
{
    return (static_cast<std::uint64_t>(high) << 32) | low;
}
