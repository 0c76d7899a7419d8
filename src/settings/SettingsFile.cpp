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

bool SettingsFile::WriteSetting(const std::wstring& key, const std::wstring& value)
{
    return WriteSettings({{key, value}});
}

bool SettingsFile::WriteSettings(const std::vector<std::pair<std::wstring, std::wstring>>& values)
{
    const std::wstring path = FileInUse();
    std::vector<std::wstring> lines = LineFile::Read(path);
    bool changed = false;
    for (const auto& [key, value] : values) {
        if (!IsStorableValue(value))
            return false;
        changed = ReplaceValues(lines, key, value) || changed;
    }
    if (!changed)
        return true;
    WinSafeWriteSteps steps;
    return SafeRewrite(steps, path, lines);
}

std::wstring SettingsFile::FileInUse() const
{
    return m_settingsPath.empty() ? SettingsTemplatePath() : m_settingsPath;
}
