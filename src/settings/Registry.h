// Reading one text value from the registry.
#pragma once

#include <string>

enum class RegistryRoot { kShellFolders, kMachine };

// The current user's Explorer "Shell Folders", where "AppData" is.
inline const wchar_t* const kShellFoldersKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// Shell-folder mode reads under HKCU, machine mode under HKLM, at the key path.
// Empty when the key or value is missing or empty; "No REG_SZ" for a value of
// another type.
std::wstring ReadRegistryString(RegistryRoot root, const std::wstring& keyPath, const std::wstring& valueName);
