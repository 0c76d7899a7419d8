// Where copies of server files that are opened with their programs are kept:
// a private folder of the program below the user's temporary folder, with one
// sub-folder per login and server folder, so that two files of one name from
// different places never meet. Copies older than a day are removed at start.
#pragma once

#include "ftp/ServerProfile.h"

#include <cstdint>
#include <string>

// FILETIME ticks (100 ns) of one day.
constexpr std::uint64_t kTicksPerDay = 24ULL * 60 * 60 * 10000000;

// root \ user@server \ ("login" or "root") \ one folder per part of the server
// folder. Every part is written so that it is a safe local name and two
// different parts never give the same one: characters that a local name may
// not hold, "%", a trailing dot or blank and the first letter of a device name
// are written as %XX (their code in hexadecimal).
std::wstring OpenedCopyFolder(const std::wstring& root, const FtpLogin& login, const std::wstring& ftpFolder);

// A copy last written more than a day before now (both FILETIME ticks); a
// time in the future is not old.
bool IsOldCopy(std::uint64_t written, std::uint64_t now);
