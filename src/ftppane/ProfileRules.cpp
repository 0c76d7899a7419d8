#include "ftppane/ProfileRules.h"

bool HasFtpPrefix(const std::wstring& serverName)
{
    return serverName.compare(0, 6, L"ftp://") == 0;
}

std::wstring FtpPathFieldText(const ServerProfile& profile)
{
    return profile.login.serverName + L"/" + profile.folder;
}

ServerPathSplit SplitServerPath(ServerProfile& profile, std::wstring& folder)
{
    std::wstring& name = profile.login.serverName;
    const std::size_t hostStart = HasFtpPrefix(name) ? 6 : 0;
    const std::size_t slash = name.find(L'/', hostStart);
    if (slash == std::wstring::npos || slash == hostStart)
        return ServerPathSplit::kNone;
    folder = name.substr(slash + 1);
    while (!folder.empty() && folder.back() == L'/')
        folder.pop_back();
    if (!folder.empty() && !profile.folder.empty() && profile.folder != folder)
        return ServerPathSplit::kConflict;
    name.erase(slash);
    if (!folder.empty())
        profile.folder = folder;
    return ServerPathSplit::kMoved;
}
