// Path rules of the local pane. A folder is held without a trailing backslash
// (a drive root as "C:"); the path box shows it followed by the marker "\...".
#pragma once

#include <string>

inline const wchar_t* const kFolderMarker = L"\\...";

// The path box text for a folder.
std::wstring WithFolderMarker(const std::wstring& folder);

// The folder a path box text names: only a trailing "\..." is removed.
std::wstring StripFolderMarker(const std::wstring& text);

// A child of the folder: folder + "\" + name.
std::wstring JoinLocal(const std::wstring& folder, const std::wstring& name);
