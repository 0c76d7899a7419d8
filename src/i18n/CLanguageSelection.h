// The language choice: a sorted, editable combo box listing the sections of the
// language file by their own names. The caller sets the group box text and the
// current code, runs the dialog and reads the code back.
#pragma once

#include "framework/Control.h"
#include "framework/Dialog.h"

#include <string>
#include <vector>

class SettingsFile;

class CLanguageSelection : public Dialog {
public:
    explicit CLanguageSelection(const SettingsFile& settings);

    void SetGroupText(const std::wstring& text) { m_groupText = text; }
    void SetCurrentCode(const std::wstring& code) { m_currentCode = code; }
    const std::wstring& CurrentCode() const { return m_currentCode; }

protected:
    // Lists the language file's sections and shows the current code's name, or
    // "System default language" when no section has that code. A language file
    // that cannot be opened throws FileError: the list then stays empty.
    BOOL OnInit() override;
    // Takes the typed or chosen name; an exact name match sets the current code.
    void OnOK() override;

private:
    void ShowSelectedText();

    Control m_group;
    Control m_combo;
    std::wstring m_selectedText;
    std::vector<std::wstring> m_languagePairs;  // code, name, code, name, ...
    std::wstring m_groupText;
    std::wstring m_currentCode;
    const SettingsFile& m_settings;
};
