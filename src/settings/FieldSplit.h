// Splitting of compound settings values such as "FTP Data" (fields joined by "*").
#pragma once

#include <string>
#include <vector>

// The parts between the separators, the last part included even when empty.
// Two separators give three fields, the empty text gives none.
std::vector<std::wstring> SplitFields(const std::wstring& text, wchar_t separator);
