// The language file's sections and entries, and the look-up in a loaded table.
//
// A section runs from a line that is exactly its code, such as "[1031]", to a
// line that is exactly "[EOL]". Inside it, a line of five or more characters is
// an entry: characters 1 to 5 are the number, character 6 is skipped whatever it
// is, the rest is the text, taken literally.
#pragma once

#include <string>
#include <vector>

struct LanguageEntry {
    int number = 0;
    std::wstring text;

    bool operator==(const LanguageEntry& other) const { return number == other.number && text == other.text; }
};

// Ends every look-up walk; a table always closes with (99999, "---").
constexpr int kEndMarkerNumber = 99999;
inline const wchar_t* const kMissingText = L"---";
inline const wchar_t* const kSectionEnd = L"[EOL]";

// The number reads its five places as decimal digits from the last to the first;
// a character other than 0-9 counts as 0 but keeps its place, so "0042 Text"
// is entry 420 with the text "ext". False for lines shorter than five.
bool ParseEntryLine(const std::wstring& line, LanguageEntry& entry);

// The entries of the section headed by the code, in file order, followed by
// the end marker. A file that ends before the header or before "[EOL]" gives
// what was read so far, followed by the end marker.
std::vector<LanguageEntry> ReadSection(const std::vector<std::wstring>& lines, const std::wstring& code);

// Whether any line holds the text as a substring.
bool AnyLineContains(const std::vector<std::wstring>& lines, const std::wstring& text);

// The text of the first entry with the number. An entry numbered 99999 ends the
// walk and its text is the answer; an empty table answers "---".
std::wstring LookUpText(const std::vector<LanguageEntry>& entries, int number);

// The text with its first "%1" replaced by the value; a text without "%1" stays as it is.
std::wstring FillPlaceholder(std::wstring text, const std::wstring& value);

// The text with each of "%1" to "%9" replaced by the value at that place, in
// one pass: a value that holds "%2" stays as it is.
std::wstring FillPlaceholders(const std::wstring& text, const std::vector<std::wstring>& values);
