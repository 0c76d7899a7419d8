// How the server profile is kept in the settings file: "FTP Data" holds
// server name, user and folder joined by "*", "Powersetting 2000" the
// password, protected by the user's Windows logon, "FTP Passive" "1" for
// passive and "0" for active mode, "FTP Connections" the number of
// simultaneous transfers. Every reader and writer of the profile goes through
// these.
#pragma once

#include "ftp/ServerProfile.h"
#include "settings/PasswordProtector.h"

#include <optional>
#include <string>

inline const wchar_t* const kFtpDataKey = L"FTP Data";
inline const wchar_t* const kPasswordKey = L"Powersetting 2000";
inline const wchar_t* const kPassiveKey = L"FTP Passive";
inline const wchar_t* const kConnectionsKey = L"FTP Connections";

// "---" stands for a folder or profile that was never stored; an absent key
// reads as the empty text and means the same.
inline const wchar_t* const kUnsetValue = L"---";
bool IsStoredValue(const std::wstring& value);

struct StoredProfile {
    std::wstring ftpData;   // the value of "FTP Data"
    std::wstring password;  // the value of "Powersetting 2000"
    std::wstring passive;   // the value of "FTP Passive"; empty (absent) means passive
    std::wstring connections{};  // the value of "FTP Connections"; absent or unreadable means the default
};

// A stored password that cannot be read here (another user's or computer's
// file), with the login it belongs to. It is written back as it was while that
// login's password is left empty, so that the user who can read it keeps it.
struct UnreadablePassword {
    std::wstring serverName;
    std::wstring user;
    std::wstring storedForm;

    bool KeptFor(const FtpLogin& login) const
    {
        return !storedForm.empty() && login.password.empty() && login.serverName == serverName && login.user == user;
    }
};

// What keeps a profile from being stored: the server, user or folder hold a
// character the settings file cannot hold, or the password cannot be protected.
enum class RefusedPart { kNone, kServerUserFolder, kPassword };

struct EncodedProfile {
    StoredProfile values;
    RefusedPart refused = RefusedPart::kNone;
};

// An empty password is stored as the empty value, unless an unreadable one
// is kept for the login.
EncodedProfile EncodeProfile(const ServerProfile& profile, PasswordProtector& protector,
                             const UnreadablePassword& kept = UnreadablePassword());

struct DecodedProfile {
    ServerProfile profile;
    // The stored password was protected but cannot be read here (another
    // user's or computer's file, or a damaged value); it is left empty.
    bool passwordUnreadable = false;
    UnreadablePassword unreadable;  // set when passwordUnreadable
};

// Nothing when "FTP Data" was never stored. A hand-edited value may hold fewer
// than three fields: the rest stay empty. A password without the marker is
// read with the older encoding. Only "0" chooses active mode. The number of
// transfers is read by ConnectionsFromText.
std::optional<DecodedProfile> DecodeProfile(const StoredProfile& stored, PasswordProtector& protector);
