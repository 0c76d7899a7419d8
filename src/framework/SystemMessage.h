// Texts of the system: the reason for an error code, and what to tell the
// user about a file that could not be opened.
#pragma once

#include "framework/FileError.h"

#include <windows.h>

#include <string>

// FormatMessageW's text for the code, in the user's language, without the
// line break it ends with; empty when the system has none.
std::wstring SystemErrorText(DWORD code);

// "%1 was not found." for a file that is not there; for one that is there but
// cannot be opened (locked, access denied), the path and the system's reason.
std::wstring DescribeFileError(const FileError& error);
