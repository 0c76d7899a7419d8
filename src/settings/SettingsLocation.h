// Where the user's copy of the settings lives: AppData\Velmo\<Product ID>\<Version>.
#pragma once

#include <string>
#include <vector>

// Whether a settings value can name one folder level: not empty, not "." or
// "..", no control character and none of \ / : * ? " < > |.
bool IsPlainFolderName(const std::wstring& name);

// Whether a path is absolute: a drive letter and colon, or a network path.
bool IsAbsolutePath(const std::wstring& path);

// The folders to make sure of, outermost first; the last one receives the
// user's config.ini. Empty when AppData is not an absolute path (empty, or the
// registry's "No REG_SZ") or the Product ID or Version cannot name a folder:
// the template then stays the settings file.
std::vector<std::wstring> UserSettingsFolders(const std::wstring& appData, const std::wstring& productId,
                                              const std::wstring& version);
