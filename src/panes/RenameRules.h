// What can stand in the way of renaming an entry of either pane, and the
// checks of a typed name before anything is asked of the file system or the
// server.
#pragma once

#include <string>

enum class RenameProblem {
    kNone,
    kUnchanged,        // the name as it was: nothing to do, nothing to say
    kEmpty,
    kForbiddenLocal,   // a name the local file system refuses
    kForbiddenServer,  // "/" or "\" in it, or "." or ".."
    kExists,           // another entry of the folder has the name
    kNotSendable,      // characters the FTP server cannot be sent
    kFailed,           // the file system or the server refused, with its reason
};

// Locally: a safe local name (no \ / : * ? " < > |, no trailing dot or blank,
// no device name).
RenameProblem CheckLocalRename(const std::wstring& oldName, const std::wstring& newName);

// On the server: any name that stays one entry of the folder.
RenameProblem CheckServerRename(const std::wstring& oldName, const std::wstring& newName);
