// A window's translation table: the numbered texts of one language section,
// loaded from the language file beside the program. Until it is loaded every
// text reads "---".
#pragma once

#include "i18n/LanguageFile.h"
#include "i18n/TextId.h"

#include <string>
#include <vector>

class SettingsFile;

class CTranslation {
public:
    explicit CTranslation(const SettingsFile& settings);

    // Picks the section from the settings' "Language" (or from the operating
    // system's language for "[----]" or an empty value) and replaces the table
    // with its entries. Throws FileError when the settings or the language
    // file cannot be opened; the table then keeps what it held.
    void Load();

    // The text of the first entry with the number; "---" when there is none.
    std::wstring Text(TextId id) const;

    // ProgramFolder + "\" + Product ID + "trl.ini".
    std::wstring LanguageFilePath() const;

private:
    std::wstring SystemSection(const std::vector<std::wstring>& languageLines) const;

    const SettingsFile& m_settings;
    std::vector<LanguageEntry> m_entries;
};
