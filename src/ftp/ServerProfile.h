// The one server profile of the program: what a login needs, and the folder
// the FTP pane shows. The main window holds the live profile; the profile
// dialog edits a copy of it.
#pragma once

#include <string>

struct FtpLogin {
    std::wstring serverName;  // as stored, with its "ftp://" prefix
    std::wstring user;
    std::wstring password;
};

struct ServerProfile {
    FtpLogin login;
    std::wstring folder;  // relative to the login directory unless it begins with "/"
};
