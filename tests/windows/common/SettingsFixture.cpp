#include "common/SettingsFixture.h"

#include "common/TestEnvironment.h"
#include "framework/LineFile.h"
#include "settings/Registry.h"
#include "settings/SettingsFile.h"
#include "settings/UserSettingsCopy.h"

namespace testenv {

namespace {
std::wstring TemplateValue(const std::vector<std::wstring>& lines, const std::wstring& key)
{
    std::wstring value;
    for (size_t i = 0; i + 1 < lines.size(); ++i)
        if (lines[i] == key)
            value = lines[i + 1];
    return value;
}
}  // namespace

std::wstring UserSettingsPath()
{
    const std::wstring appData = ReadRegistryString(RegistryRoot::kShellFolders, kShellFoldersKey, L"AppData");
    const std::vector<std::wstring> lines = LineFile::Read(ExeFolder() + L"\\config.ini");
    return appData + L"\\Velmo\\" + TemplateValue(lines, L"Product ID") + L"\\" + TemplateValue(lines, L"Version") +
           L"\\config.ini";
}

void WriteUserSettings(const std::vector<std::pair<std::wstring, std::wstring>>& values)
{
    std::vector<std::wstring> lines = LineFile::Read(ExeFolder() + L"\\config.ini");
    const size_t templateLines = lines.size();
    for (const auto& [key, value] : values) {
        bool found = false;
        for (size_t i = 0; i + 1 < templateLines; ++i)
            if (lines[i] == key)
                lines[i + 1] = value, found = true;
        if (!found)
            lines.insert(lines.end(), {key, value});
    }
    std::string bytes;
    LineFile::ToBytes(lines, bytes);
    const std::wstring path = UserSettingsPath();
    MakeFolders(path.substr(0, path.rfind(L'\\')));
    WriteFile(path, bytes);
}

std::wstring UserSetting(const std::wstring& key)
{
    std::vector<std::wstring> lines;
    if (!LineFile::TryRead(UserSettingsPath(), lines))
        return L"";
    return TemplateValue(lines, key);
}

}  // namespace testenv
