#include "settings/SettingsFile.h"

#include "framework/LineFile.h"
#include "settings/SettingsLines.h"
#include "settings/UserSettingsCopy.h"
#include "settings/WinSafeWriteSteps.h"

#include <vector>

std::wstring SettingsFile::ResolveSettingsPath()
{
    m_settingsPath = ResolveUserSettingsCopy();
    return m_settingsPath;
}

std::wstring SettingsFile::ReadSetting(const std::wstring& key) const
{
    return ReadValue(LineFile::Read(FileInUse()), key);
}

bool SettingsFile::WriteSetting(const std::wstring& key, const std::wstring& value, bool addMissing)
{
    return WriteSettings({{key, value}}, addMissing);
}

bool SettingsFile::WriteSettings(const std::vector<std::pair<std::wstring, std::wstring>>& values, bool addMissing)
{
    const std::wstring path = FileInUse();
    std::vector<std::wstring> lines = LineFile::Read(path);
    bool changed = false;
    for (const auto& [key, value] : values) {
        if (!IsStorableValue(value))
            return false;
        if (ReplaceValues(lines, key, value)) {
            changed = true;
        } else if (addMissing) {
            AppendValue(lines, key, value);
            changed = true;
        }
    }
    if (!changed)
        return true;
    WinSafeWriteSteps steps;
    return SafeRewrite(steps, path, lines);
}

std::vector<std::wstring> SettingsFile::ReadSettingList(const std::wstring& key) const
{
    return ReadValues(LineFile::Read(FileInUse()), key);
}

bool SettingsFile::WriteSettingList(const std::wstring& key, const std::vector<std::wstring>& values)
{
    for (const std::wstring& value : values)
        if (!IsStorableValue(value))
            return false;
    const std::wstring path = FileInUse();
    std::vector<std::wstring> lines = LineFile::Read(path);
    ReplaceValueList(lines, key, values);
    WinSafeWriteSteps steps;
    return SafeRewrite(steps, path, lines);
}

std::wstring SettingsFile::FileInUse() const
{
    return m_settingsPath.empty() ? SettingsTemplatePath() : m_settingsPath;
}
