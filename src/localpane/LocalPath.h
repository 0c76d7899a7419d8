// Path rules of the local pane. A folder is held without a trailing backslash
// (a drive root as "C:"); the path box shows it followed by the marker "\...".
#pragma once

#include <optional>
#include <string>

inline const wchar_t* const kFolderMarker = L"\\...";

// The path box text for a folder.
std::wstring WithFolderMarker(const std::wstring& folder);

// The folder a path box text names: only a trailing "\..." is removed.
std::wstring StripFolderMarker(const std::wstring& text);

// A child of the folder: folder + "\" + name.
std::wstring JoinLocal(const std::wstring& folder, const std::wstring& name);

// One level up: the folder cut at its last backslash. Nothing when fewer than
// two characters would remain, which is where going up stops: "C:\Data" gives
// "C:", "C:" gives nothing, "\\host\share" gives "\\host", "\\host" nothing.
std::optional<std::wstring> ParentLocalFolder(const std::wstring& folder);

// Every run of backslashes shortened to one, except that the first two
// characters stay as they are, so a network path keeps its leading "\\".
std::wstring CollapseDoubledBackslashes(const std::wstring& path);

// The path box text for a folder the folder picker returned: the path with the
// marker appended, then collapsed. "C:\" gives "C:\...", "C:\Data" "C:\Data\...".
std::wstring PickedFolderText(const std::wstring& pickedPath);
