// The languages a language file offers, as the language choice lists them: each
// section header followed by that language's own name, in file order.
//
// A header here is any line that starts with "[" and is exactly six characters
// long, such as "[1031]" or "[----]"; "[EOL]" (five) never is. The name is the
// second line after the header without its first six characters (the number
// and the separator of an entry line).
#pragma once

#include <optional>
#include <string>
#include <vector>

// ProgramFolder + "\" + Product ID + "trl.ini": the one language file.
std::wstring LanguageFilePath(const std::wstring& programFolder, const std::wstring& productId);

// code, name, code, name, ... in file order. Lines beyond the end read as empty;
// scanning goes on after each name line.
std::vector<std::wstring> ReadLanguagePairs(const std::vector<std::wstring>& lines);

// The name paired with the code (exact match, the last pair wins); none when no
// pair has that code.
std::optional<std::wstring> NameOfCode(const std::vector<std::wstring>& pairs, const std::wstring& code);

// The code paired with the name (exact, case-sensitive, the last pair wins).
// Only names are searched: a code given as the name finds nothing.
std::optional<std::wstring> CodeOfName(const std::vector<std::wstring>& pairs, const std::wstring& name);
