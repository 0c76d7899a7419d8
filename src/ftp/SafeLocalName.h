// Whether a name that came from the server may become a local file name. A
// download writes nothing for a name that fails; names are never changed.
#pragma once

#include <string>

// One component: not empty, not "." or "..", no \ / : * ? " < > | and no
// character below 32, no trailing dot or blank, and not a device name (CON,
// PRN, AUX, NUL, COM1-COM9, LPT1-LPT9, in any case, with or without an
// extension, also with blanks before the extension).
bool IsSafeLocalName(const std::wstring& name);

// A relative path with "/" between components (as a tree walk reports it):
// every component must be safe, so the target stays inside the local folder.
bool IsSafeLocalRelativePath(const std::wstring& path);

// Whether two names stand for one entry where case does not count, as on
// Windows: letters of ASCII and Latin-1 compare without their case.
bool SameNameIgnoringCase(const std::wstring& a, const std::wstring& b);
