// Rules of the server profile as the profile dialog and the FTP pane apply them.
#pragma once

#include "ftp/ServerProfile.h"

#include <string>

// Whether the server name begins with "ftp://" exactly (lower case). Only the
// first six characters count, so "ftp://" alone passes.
bool HasFtpPrefix(const std::wstring& serverName);

// What the FTP pane's path field shows for a listed folder: the server name as
// stored, "/" and the folder.
std::wstring FtpPathFieldText(const ServerProfile& profile);

// The number of simultaneous transfers a text gives, as typed or stored:
// blanks around the digits are allowed, a number out of range is clamped to
// kMinConnections..kMaxConnections, anything else gives kDefaultConnections.
int ConnectionsFromText(const std::wstring& text);
// A server name typed with a folder ("ftp://host/dir", as an address bar
// shows it) is split: the host stays the server name and the folder, taken
// relative to the login directory as such addresses mean it, goes to the
// profile's folder. kConflict, changing nothing, when the folder field holds
// another folder already; `folder` is the one in the server name then.
enum class ServerPathSplit { kNone, kMoved, kConflict };
ServerPathSplit SplitServerPath(ServerProfile& profile, std::wstring& folder);
