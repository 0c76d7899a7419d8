// What the lists take from the user's locale and the clock: how names
// compare and how a time reads.
#pragma once

#include <cstdint>
#include <string>

// As the file manager sorts names: CompareStringEx in the user's locale,
// case aside and digits as numbers ("file2" before "file10"). Negative, 0 or
// positive.
int CompareFileNames(const std::wstring& a, const std::wstring& b);

// The current time as FILETIME ticks (UTC).
std::uint64_t CurrentFileTime();

// A FILETIME (UTC) in the user's short date and time format, in the local
// time of that date (so summer times stay summer times): "12/31/2025 11:59 PM".
std::wstring LocalTimeText(std::uint64_t fileTime);

// The user's decimal mark, "." where the locale gives none.
std::wstring DecimalMark();
