#include "ftppane/ProfileRules.h"

bool HasFtpPrefix(const std::wstring& serverName)
{
    return serverName.compare(0, 6, L"ftp://") == 0;
}

std::wstring FtpPathFieldText(const ServerProfile& profile)
{
    return profile.login.serverName + L"/" + profile.folder;
}
