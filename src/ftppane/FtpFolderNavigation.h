// How the FTP pane moves between folders. A folder is "/"-separated and
// relative to the login directory unless it begins with "/"; the empty folder
// is the login directory itself.
#pragma once

#include <string>

// The folder a double-click on a folder row leads to: folder + "/" + name
// ("/" + name from the root), or the name alone from the login directory (so
// that it stays relative to it).
std::wstring SubFolderPath(const std::wstring& folder, const std::wstring& name);

// The folder the parent row leads to: the part before the last "/", the root
// "/" for "/x" and for "/" itself; a folder without "/" leads back to the
// login directory (the empty folder).
std::wstring ParentFolderPath(const std::wstring& folder);
