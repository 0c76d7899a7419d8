#include "i18n/CTranslation.h"

#include "framework/LineFile.h"
#include "i18n/LanguageList.h"
#include "i18n/SystemLanguage.h"

namespace {
const wchar_t* const kLanguageKeyPath = L"SYSTEM\\CurrentControlSet\\Control\\Nls\\Language";
}

void CTranslation::Load()
{
    m_power.ResolveSettingsPath();
    const std::wstring path = LanguageFilePath();
    std::wstring code = m_power.ReadSetting(L"Language");
    const std::vector<std::wstring> lines = LineFile::Read(path);
    if (FollowsSystemLanguage(code))
        code = SystemSection(lines);
    m_entries = ReadSection(lines, code);
}

std::wstring CTranslation::Text(int number) const
{
    return LookUpText(m_entries, number);
}

std::wstring CTranslation::LanguageFilePath()
{
    return ::LanguageFilePath(PowerClass::ProgramFolder(), m_power.ReadSetting(L"Product ID"));
}

std::wstring CTranslation::SystemSection(const std::vector<std::wstring>& languageLines)
{
    m_power.SetRegistryKeyPath(kLanguageKeyPath);
    const std::wstring registryText = m_power.ReadRegistryString(PowerClass::RegistryMode::Machine, L"Default");
    std::vector<DialectList> lists;
    for (const std::wstring& code : DialectCodes())
        lists.push_back({code, m_power.ReadSetting(DialectKey(code))});
    return ChooseSystemSection(registryText, lists, languageLines);
}
