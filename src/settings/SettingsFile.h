// The settings file the program reads and writes: the user's copy once it is
// resolved, the template beside the program until then. The application owns
// the one instance and hands it to every window that needs settings.
#pragma once

#include <string>
#include <utility>
#include <vector>

class SettingsFile {
public:
    // Finds the user's copy of the settings (AppData\Velmo\<Product ID>\<Version>,
    // copied from the template beside the program on first use) and makes it
    // the file in use; the template stays in use when that is impossible.
    // Throws FileError when the template cannot be read. Returns the path.
    std::wstring ResolveSettingsPath();

    // The value after the key's last occurrence, or empty. Throws FileError
    // when the file cannot be opened.
    std::wstring ReadSetting(const std::wstring& key) const;
    // Replaces the value after every occurrence of the key; a key the file
    // lacks is not added and the file is not touched, unless addMissing asks
    // for it (for keys that settings copies of earlier versions lack): then
    // the key and its value end the file. Throws FileError when the file
    // cannot be opened for reading. Returns false, leaving the file byte for
    // byte as it was, when the value cannot be stored (see IsStorableValue) or
    // any step of the safe write fails.
    bool WriteSetting(const std::wstring& key, const std::wstring& value, bool addMissing = false);
    // Several keys in one rewrite: all of them are written or none.
    bool WriteSettings(const std::vector<std::pair<std::wstring, std::wstring>>& values, bool addMissing = false);

    // A key that stands once for each of its values (see ReadValues); empty
    // when the file lacks it. Throws FileError when the file cannot be opened.
    std::vector<std::wstring> ReadSettingList(const std::wstring& key) const;
    // Replaces the key's values by these in one rewrite (see ReplaceValueList),
    // adding the key where the file lacks it. False, leaving the file as it
    // was, when a value cannot be stored or the safe write fails.
    bool WriteSettingList(const std::wstring& key, const std::vector<std::wstring>& values);

    // Empty until ResolveSettingsPath has run; the template is used meanwhile.
    const std::wstring& SettingsPath() const { return m_settingsPath; }
    // The file reads and writes go to.
    std::wstring FileInUse() const;

private:
    std::wstring m_settingsPath;
};
