#include "ftppane/ServerProfile.h"

bool HasFtpPrefix(const std::wstring& serverName)
{
    return serverName.compare(0, 6, L"ftp://") == 0;
}

std::wstring FtpPathFieldText(const ServerProfile& profile)
{
    return profile.serverName + L"/" + profile.folder;
}
