// How the server profile is kept in the settings file: "FTP Data" holds
// server name, user and folder joined by "*", "Powersetting 2000" the encoded
// password, "FTP Passive" "1" for passive and "0" for active mode. Every
// reader and writer of the profile goes through these.
#pragma once

#include "ftp/ServerProfile.h"

#include <optional>
#include <string>

inline const wchar_t* const kFtpDataKey = L"FTP Data";
inline const wchar_t* const kPasswordKey = L"Powersetting 2000";
inline const wchar_t* const kPassiveKey = L"FTP Passive";

// "---" stands for a folder or profile that was never stored; an absent key
// reads as the empty text and means the same.
inline const wchar_t* const kUnsetValue = L"---";
bool IsStoredValue(const std::wstring& value);

struct StoredProfile {
    std::wstring ftpData;   // the value of "FTP Data"
    std::wstring password;  // the value of "Powersetting 2000"
    std::wstring passive;   // the value of "FTP Passive"; empty (absent) means passive
};

StoredProfile EncodeProfile(const ServerProfile& profile);

// Nothing when "FTP Data" was never stored. A hand-edited value may hold fewer
// than three fields: the rest stay empty. Only "0" chooses active mode.
std::optional<ServerProfile> DecodeProfile(const StoredProfile& stored);
