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
