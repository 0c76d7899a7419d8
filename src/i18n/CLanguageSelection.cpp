#include "i18n/CLanguageSelection.h"

#include "framework/LineFile.h"
#include "i18n/LanguageList.h"
#include "res/resource.h"
#include "settings/SettingsFile.h"
#include "settings/UserSettingsCopy.h"

namespace {
const wchar_t* const kSystemDefault = L"System default language";
}

CLanguageSelection::CLanguageSelection(const SettingsFile& settings) : Dialog(IDD_LANGUAGE), m_settings(settings) {}

BOOL CLanguageSelection::OnInit()
{
    m_group.Attach(Handle(), IDC_LANGUAGE_GROUP);
    m_combo.Attach(Handle(), IDC_LANGUAGE_COMBO);
    m_group.SetText(m_groupText);
    m_languagePairs.clear();
    const std::wstring path = LanguageFilePath(ProgramFolder(), m_settings.ReadSetting(L"Product ID"));
    m_languagePairs = ReadLanguagePairs(LineFile::Read(path));
    for (size_t i = 1; i < m_languagePairs.size(); i += 2)
        m_combo.Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(m_languagePairs[i].c_str()));
    m_selectedText = NameOfCode(m_languagePairs, m_currentCode).value_or(kSystemDefault);
    ShowSelectedText();
    return TRUE;
}

// The combo box's own prefix search, case-insensitive; a text that begins no
// item goes into the edit field as it is.
void CLanguageSelection::ShowSelectedText()
{
    const LRESULT found = m_combo.Send(CB_SELECTSTRING, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(m_selectedText.c_str()));
    if (found == CB_ERR)
        m_combo.SetText(m_selectedText);
}

void CLanguageSelection::OnOK()
{
    m_selectedText = m_combo.Text();
    if (const auto code = CodeOfName(m_languagePairs, m_selectedText))
        m_currentCode = *code;
    End(IDOK);
}
