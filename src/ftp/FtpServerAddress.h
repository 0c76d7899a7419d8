// Where a server name leads: host and port for the connection. The profile
// writes server names with "ftp://" and may add a port ("ftp://host:2121",
// "ftp://[::1]:2121"); without one the FTP default port is used.
#pragma once

#include <cstdint>
#include <string>

constexpr std::uint16_t kDefaultFtpPort = 21;

struct FtpServerAddress {
    std::wstring host;
    std::uint16_t port = kDefaultFtpPort;
    // False when a port was written but is no port (":", ":abc", ":0",
    // ":70000") or has no host before it; no connection is tried then.
    bool valid = true;
};

// Removes a leading "ftp://" (lower case only) when the name is longer than
// those six characters; anything else is returned unchanged.
std::wstring NormaliseServerName(const std::wstring& serverName);

// Normalises the name, then splits off a port. A name that still holds "://"
// or has several colons and no brackets (a bare IPv6 address) carries no port.
FtpServerAddress ParseServerName(const std::wstring& serverName);
