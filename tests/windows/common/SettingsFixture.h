// The user's settings copy that the windows read, prepared by a test: the
// template beside the test executable with some values replaced, written to
// where the program looks for it (AppData\Velmo\<Product ID>\<Version>).
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace testenv {

// Full path of the user's settings copy for the shipped template.
std::wstring UserSettingsPath();

// Writes the template with the given keys' values replaced to the user's copy;
// a key the template lacks is added once for each of its values.
void WriteUserSettings(const std::vector<std::pair<std::wstring, std::wstring>>& values);

// The value of a key in the user's copy as it is now ("" when absent).
std::wstring UserSetting(const std::wstring& key);

}  // namespace testenv
