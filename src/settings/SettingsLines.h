// The settings file's format on its lines: a key line holding exactly the key,
// then the value line. Any other line is ignored by readers and kept by writers.
#pragma once

#include <string>
#include <vector>

// The value after the last occurrence of the key; empty when the key is absent
// or stands on the last line. A value line is never itself taken for a key.
std::wstring ReadValue(const std::vector<std::wstring>& lines, const std::wstring& key);

// Replaces the value line after every occurrence of the key; a key on the last
// line gets a value line appended. A key the lines lack changes nothing. The
// value line is skipped like in ReadValue, so a value equal to the key cannot
// run on over the following lines. Returns whether the key occurs.
bool ReplaceValues(std::vector<std::wstring>& lines, const std::wstring& key, const std::wstring& value);

// A key that stands once for each of its values (a list): the values in file
// order, read like ReadValue's.
std::vector<std::wstring> ReadValues(const std::vector<std::wstring>& lines, const std::wstring& key);

// Replaces every key line of the list and its value line by one pair for each
// value, placed where the first pair stood, or at the end when the lines lack
// the key. Every other line keeps its place.
void ReplaceValueList(std::vector<std::wstring>& lines, const std::wstring& key, const std::vector<std::wstring>& values);
// Ends the lines with the key and its value. A last line that is not empty
// may be a key whose value line is missing: an empty line then closes it
// first, so that it does not take the new key for its value.
void AppendValue(std::vector<std::wstring>& lines, const std::wstring& key, const std::wstring& value);

// Whether the settings file can hold the value on its value line: every
// character fits one byte, and no CR or LF would split the line.
bool IsStorableValue(const std::wstring& value);
