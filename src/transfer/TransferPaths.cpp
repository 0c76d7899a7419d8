#include "transfer/TransferPaths.h"

#include "ftp/FtpPath.h"
#include "localpane/LocalPath.h"

namespace {

bool StartsWith(const std::wstring& text, const std::wstring& prefix)
{
    return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

std::wstring WithoutLeadingSlashes(const std::wstring& path)
{
    const std::size_t first = path.find_first_not_of(L'/');
    return first == std::wstring::npos ? std::wstring() : path.substr(first);
}

// Where the part of a local path that can never be created ends: after the
// share of a network path, after the drive, or at the very start.
std::size_t RootEnd(const std::wstring& path)
{
    if (StartsWith(path, L"\\\\")) {
        const std::size_t afterServer = path.find(L'\\', 2);
        if (afterServer == std::wstring::npos)
            return path.size();
        const std::size_t afterShare = path.find(L'\\', afterServer + 1);
        return afterShare == std::wstring::npos ? path.size() : afterShare;
    }
    if (path.size() >= 2 && path[1] == L':')
        return 2;
    return 0;
}

}  // namespace

std::wstring RemoteSubFolder(const std::wstring& localFolder, const std::wstring& filePath)
{
    if (!StartsWith(filePath, localFolder))
        return std::wstring();
    std::wstring relative;
    std::wstring component;
    // Rebuilt component by component, so that a folder held with a trailing
    // "\" or a doubled separator still gives single "/" separators.
    for (wchar_t c : filePath.substr(localFolder.size())) {
        if (c == L'\\' || c == L'/') {
            if (!component.empty())
                relative += L"/" + component;
            component.clear();
        } else {
            component.push_back(c);
        }
    }
    return relative;
}

std::wstring RemoteTargetFolder(const std::wstring& ftpFolder, const std::wstring& subFolder)
{
    const std::wstring relative = WithoutLeadingSlashes(subFolder);
    return relative.empty() ? ftpFolder : JoinFtpPath(ftpFolder, relative);
}

std::wstring RelativeToFtpFolder(const std::wstring& ftpFolder, const std::wstring& remotePath)
{
    std::wstring folder = ftpFolder;
    while (!folder.empty() && folder.back() == L'/')
        folder.pop_back();
    std::wstring rest = remotePath;
    const bool leading = !folder.empty() && StartsWith(remotePath, folder) &&
                         (remotePath.size() == folder.size() || remotePath[folder.size()] == L'/');
    if (leading)
        rest = remotePath.substr(folder.size());
    return WithoutLeadingSlashes(rest);
}

std::wstring LocalSubFolder(const std::wstring& relativePath)
{
    const std::size_t slash = relativePath.rfind(L'/');
    if (slash == std::wstring::npos)
        return std::wstring();
    std::wstring folder = relativePath.substr(0, slash);
    for (wchar_t& c : folder)
        if (c == L'/')
            c = L'\\';
    return folder;
}

std::wstring JoinLocalSubFolder(const std::wstring& localFolder, const std::wstring& subFolder)
{
    if (subFolder.empty())
        return localFolder;
    if (!localFolder.empty() && localFolder.back() == L'\\')
        return localFolder + subFolder;
    return localFolder + L"\\" + subFolder;
}

std::vector<std::wstring> FoldersToCreate(const std::wstring& path)
{
    std::wstring collapsed = CollapseDoubledBackslashes(path);
    const std::size_t rootEnd = RootEnd(collapsed);
    while (collapsed.size() > rootEnd && collapsed.size() > 1 && collapsed.back() == L'\\')
        collapsed.pop_back();
    std::vector<std::wstring> folders;
    for (std::size_t i = rootEnd + 1; i < collapsed.size(); ++i)
        if (collapsed[i] == L'\\')
            folders.push_back(collapsed.substr(0, i));
    if (collapsed.size() > rootEnd && collapsed != L"\\")
        folders.push_back(collapsed);
    return folders;
}
