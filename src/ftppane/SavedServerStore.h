// The saved servers as the settings file holds them. The main window owns the
// one store and hands it to the profile dialog; every change is written to the
// settings file at once, all of the list in one rewrite.
#pragma once

#include "ftppane/SavedServers.h"
#include "settings/SettingsFile.h"

#include <string>

class SavedServerStore {
public:
    SavedServerStore(SettingsFile& settings, PasswordProtector& protector)
        : m_settings(settings), m_protector(protector)
    {
    }

    // Reads the list from the settings file (see SavedServerList::Decode).
    // Throws FileError when the file cannot be opened.
    void Load();

    const SavedServerList& List() const { return m_list; }
    PasswordProtector& Protector() const { return m_protector; }

    // Writes the changed list, which becomes the list only once it is written.
    // False, leaving file and list as they were, when the file could not be
    // rewritten; throws FileError when it cannot be read.
    bool Store(const SavedServerList& changed);

    // The file the list is read from and written to.
    std::wstring FilePath() const { return m_settings.FileInUse(); }

private:
    SettingsFile& m_settings;
    PasswordProtector& m_protector;
    SavedServerList m_list;
};
