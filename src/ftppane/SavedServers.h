// The saved servers: named server profiles the user switches between. They
// live in the settings file beside the profile in use, one key line
// "FTP Saved Server" and one value line for each server:
//
//   name*server name*user*folder*mode*transfers*password
//
// with "%" and "*" inside a field written as "%25" and "%2A", the mode "1"
// for passive and "0" for active, and the password protected like the
// profile's. No value line can equal a key (each holds a "*"), so readers of
// the other keys, older ones included, pass over the list. Names are one name
// whatever the case of their letters.
#pragma once

#include "ftp/ServerProfile.h"
#include "settings/PasswordProtector.h"

#include <cstddef>
#include <string>
#include <vector>

inline const wchar_t* const kSavedServerKey = L"FTP Saved Server";
constexpr std::size_t kMaxSavedServers = 100;

struct SavedServer {
    std::wstring name;
    ServerProfile profile;  // its password empty when the stored one cannot be read here
    std::wstring storedPassword;  // as written: empty, or the protected form
    bool passwordUnreadable = false;
};

// The value that keeps a server from being saved.
enum class SavedServerField { kNone, kName, kServerName, kUser, kFolder, kPassword };

enum class SaveResult {
    kSaved,
    kNameMissing,   // the name is empty or only blanks
    kTooMany,       // a new name beyond kMaxSavedServers
    kNotStorable,   // the field holds a line break or a character above 255
    kNotProtected,  // the password could not be protected
};

struct SaveOutcome {
    SaveResult result = SaveResult::kSaved;
    SavedServerField field = SavedServerField::kNone;
};

// Whether two names are one: letters compared without regard to case (ASCII
// and Latin-1, the characters the settings file holds).
bool SameServerName(const std::wstring& a, const std::wstring& b);

class SavedServerList {
public:
    // From the values of the settings file's key. A value with fewer than four
    // fields or an empty name is skipped, as is a name that came before and
    // every server beyond kMaxSavedServers; an unknown mode reads as passive,
    // the number of transfers as ConnectionsFromText reads it, a password that
    // cannot be read here is marked and kept as stored.
    static SavedServerList Decode(const std::vector<std::wstring>& values, PasswordProtector& protector);
    // The values to store, in the order of Servers().
    std::vector<std::wstring> Encode() const;

    // Sorted by name without regard to case, letters with accents among their base letters.
    const std::vector<SavedServer>& Servers() const { return m_servers; }
    // The server of that name (blanks around it dropped); nullptr when there is none.
    const SavedServer* Find(const std::wstring& name) const;
    // The server the profile is: the first with its server name and user,
    // one with its folder as well before the others (moving through the
    // server's folders keeps the server in use); -1 when none has them.
    int IndexInUse(const ServerProfile& profile) const;

    // Saves the profile under the name (blanks around it dropped), replacing a
    // server of that name. An empty password keeps the stored one of the
    // replaced server when that one could not be read and the server name and
    // user stay. Nothing changes unless the result is kSaved.
    SaveOutcome Save(const std::wstring& name, const ServerProfile& profile, PasswordProtector& protector);
    // False when no server has the name.
    bool Remove(const std::wstring& name);

private:
    std::vector<SavedServer>::iterator Position(const std::wstring& name);
    void Insert(SavedServer server);

    std::vector<SavedServer> m_servers;
};

// The name as Save takes it: without blanks before and after.
std::wstring TrimmedServerName(const std::wstring& name);
