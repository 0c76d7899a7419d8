// What to tell the user about a file that could not be opened.
#pragma once

#include "framework/FileError.h"

#include <string>

// "%1 was not found." for a file that is not there; for one that is there but
// cannot be opened (locked, access denied), the path and the system's reason.
std::wstring DescribeFileError(const FileError& error);
