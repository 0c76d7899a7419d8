// Sends one file, or one folder with everything beneath it, to the recycle bin
// (or deletes it outright with undo off), without any dialog of the shell's.
#pragma once

#include <string>

// Nothing happens when the path names no existing entry.
void DeleteToRecycleBin(const std::wstring& path, bool undo);
