// The one server profile of the program: what a login needs, and the folder
// the FTP pane shows. The main window holds the live profile; the profile
// dialog edits a copy of it.
#pragma once

#include <string>

// How the data connections of a session are made: in passive mode the program
// connects to the server, in active mode the server connects back.
enum class FtpMode { kPassive, kActive };

inline FtpMode OtherMode(FtpMode mode) { return mode == FtpMode::kPassive ? FtpMode::kActive : FtpMode::kPassive; }

struct FtpLogin {
    std::wstring serverName;  // as stored, with its "ftp://" prefix
    std::wstring user;
    std::wstring password;
    FtpMode mode = FtpMode::kPassive;  // the mode the profile asks for
};

// How many files a transfer batch moves at once, each on a login of its own.
constexpr int kMinConnections = 1;
constexpr int kMaxConnections = 8;
constexpr int kDefaultConnections = 2;

struct ServerProfile {
    FtpLogin login;
    std::wstring folder;  // relative to the login directory unless it begins with "/"
    int connections = kDefaultConnections;  // simultaneous transfers, kMinConnections to kMaxConnections
};
