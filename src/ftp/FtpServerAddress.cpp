#include "ftp/FtpServerAddress.h"

namespace {

const std::wstring kPrefix = L"ftp://";

bool ParsePort(const std::wstring& text, std::uint16_t& port)
{
    if (text.empty() || text.size() > 5)
        return false;
    unsigned value = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9')
            return false;
        value = value * 10 + static_cast<unsigned>(c - L'0');
    }
    if (value == 0 || value > 65535)
        return false;
    port = static_cast<std::uint16_t>(value);
    return true;
}

FtpServerAddress WithPort(const std::wstring& host, const std::wstring& portText)
{
    FtpServerAddress address;
    address.host = host;
    address.valid = !host.empty() && ParsePort(portText, address.port);
    return address;
}

}  // namespace

std::wstring NormaliseServerName(const std::wstring& serverName)
{
    if (serverName.size() > kPrefix.size() && serverName.compare(0, kPrefix.size(), kPrefix) == 0)
        return serverName.substr(kPrefix.size());
    return serverName;
}

FtpServerAddress ParseServerName(const std::wstring& serverName)
{
    const std::wstring name = NormaliseServerName(serverName);
    FtpServerAddress unchanged;
    unchanged.host = name;

    // A scheme the prefix rule left in place ("FTP://", or "ftp://" alone)
    // stays part of the name, and the connection fails on it.
    if (name.find(L"://") != std::wstring::npos)
        return unchanged;
    if (!name.empty() && name[0] == L'[') {
        const std::size_t close = name.find(L']');
        if (close == std::wstring::npos || close + 1 >= name.size() || name[close + 1] != L':')
            return unchanged;
        return WithPort(name.substr(1, close - 1), name.substr(close + 2));
    }

    const std::size_t colon = name.find(L':');
    if (colon == std::wstring::npos || name.find(L':', colon + 1) != std::wstring::npos)
        return unchanged;
    return WithPort(name.substr(0, colon), name.substr(colon + 1));
}
