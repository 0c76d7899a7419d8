// The one server profile of the program: four texts, passed to every FTP
// operation as separate arguments.
#pragma once

#include <string>

struct ServerProfile {
    std::wstring serverName;  // with its "ftp://" prefix
    std::wstring user;
    std::wstring password;
    std::wstring folder;      // relative to the login directory unless it begins with "/"
};

// Whether the server name begins with "ftp://" exactly (lower case). Only the
// first six characters count, so "ftp://" alone passes.
bool HasFtpPrefix(const std::wstring& serverName);

// What the FTP pane's path field shows for a listed folder: the server name as
// stored, "/" and the folder.
std::wstring FtpPathFieldText(const ServerProfile& profile);
