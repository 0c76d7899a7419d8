// Where the program and its settings live on disk: the program's folder, the
// settings template beside it and the user's copy of it below AppData.
#pragma once

#include <string>

// The running program file's folder, without a trailing backslash.
std::wstring ProgramFolder();
// config.ini beside the program.
std::wstring SettingsTemplatePath();
// A FindFirstFileW look-up; a path of 260 characters or more counts as absent.
bool PathExists(const std::wstring& path);
// SHFileOperationW copy without any dialog; nothing when the source is missing.
void CopyIntoFolder(const std::wstring& sourceFile, const std::wstring& folder);

// The user's copy, AppData\Velmo\<Product ID>\<Version>\config.ini, created
// from the template on first use; the template's path when AppData is unknown
// or the copy cannot be made. Throws FileError when the template cannot be read.
std::wstring ResolveUserSettingsCopy();
