#include "ftppane/ProfileRules.h"

#include <algorithm>

bool HasFtpPrefix(const std::wstring& serverName)
{
    return serverName.compare(0, 6, L"ftp://") == 0;
}

std::wstring FtpPathFieldText(const ServerProfile& profile)
{
    return profile.login.serverName + L"/" + profile.folder;
}

int ConnectionsFromText(const std::wstring& text)
{
    const size_t first = text.find_first_not_of(L' ');
    if (first == std::wstring::npos)
        return kDefaultConnections;
    const size_t last = text.find_last_not_of(L' ');
    long long value = 0;
    for (size_t i = first; i <= last; ++i) {
        if (text[i] < L'0' || text[i] > L'9')
            return kDefaultConnections;
        // Only whether it lies beyond the range matters, not how far.
        value = std::min(value * 10 + (text[i] - L'0'), static_cast<long long>(kMaxConnections) + 1);
    }
    return static_cast<int>(std::clamp(value, static_cast<long long>(kMinConnections),
                                       static_cast<long long>(kMaxConnections)));
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
