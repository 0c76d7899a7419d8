#include "i18n/CTranslation.h"

#include "framework/LineFile.h"
#include "i18n/LanguageList.h"
#include "i18n/SystemLanguage.h"
#include "settings/Registry.h"
#include "settings/SettingsFile.h"
#include "settings/UserSettingsCopy.h"

namespace {
const wchar_t* const kLanguageKeyPath = L"SYSTEM\\CurrentControlSet\\Control\\Nls\\Language";
}

CTranslation::CTranslation(const SettingsFile& settings) : m_settings(settings) {}

void CTranslation::Load()
{
    const std::wstring path = LanguageFilePath();
    std::wstring code = m_settings.ReadSetting(L"Language");
    const std::vector<std::wstring> lines = LineFile::Read(path);
    if (FollowsSystemLanguage(code))
        code = SystemSection(lines);
    m_entries = ReadSection(lines, code);
}

std::wstring CTranslation::Text(TextId id) const
{
    return LookUpText(m_entries, static_cast<int>(id));
}

std::wstring CTranslation::LanguageFilePath() const
{
    return ::LanguageFilePath(ProgramFolder(), m_settings.ReadSetting(L"Product ID"));
}

std::wstring CTranslation::SystemSection(const std::vector<std::wstring>& languageLines) const
{
    const std::wstring registryText = ReadRegistryString(RegistryRoot::kMachine, kLanguageKeyPath, L"Default");
    std::vector<DialectList> lists;
    for (const std::wstring& code : DialectCodes())
        lists.push_back({code, m_settings.ReadSetting(DialectKey(code))});
    return ChooseSystemSection(registryText, lists, languageLines);
}
