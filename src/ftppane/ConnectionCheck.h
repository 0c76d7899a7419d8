// The profile dialog's connection check, apart from any window: it proves
// login, write and read access on the profile's folder by sending a small
// file there, fetching it back and deleting it again. It only ever touches
// the one file it made: the test file takes a name of the program's own that
// no entry of the folder has, and the folder itself is never created.
#pragma once

#include "ftp/FtpEngine.h"
#include "i18n/TextId.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

// One message to show, in the order the check produced them.
struct CheckMessage {
    TextId text;
    std::vector<std::wstring> values;  // for %1, %2, ... of the text
    FtpFailure reason;
    // The transfer mode that worked, said under the message.
    std::optional<FtpMode> mode;
};

// Random letters and digits for the test file's name, a few at each call.
using RandomText = std::function<std::wstring()>;

// The name of the test file on the server for the random part.
std::wstring CheckFileName(const std::wstring& random);

// Runs the check on the profile as it stands (server name with "ftp://").
// testFile is the local file to send; the copy fetched back is written to
// localCopy, which the caller made and deletes. Ends at the first step that
// fails, with that step's message and reason.
std::vector<CheckMessage> RunConnectionCheck(FtpEngine& engine, const ServerProfile& profile,
                                             const std::wstring& testFile, const std::wstring& localCopy,
                                             const RandomText& randomText);
