// Why an FTP call failed, in the words the user is shown: the server's own
// reply where it sent one, "no answer" when it sent nothing in time, the
// system's text for the error otherwise (the program's own words where the
// system has none). Passwords never enter it: WinINet's
// replies and error texts do not hold them.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

enum class FtpFailureKind {
    kNone,         // no reason known (or nothing failed)
    kServerReply,  // text: the server's reply, such as "530 Login incorrect."
    kNoAnswer,     // the server did not answer within the time limit
    kSystem,       // text: the system's words for the error (WinINet's or a local one)
    kIncomplete,   // the data ended before the whole file had arrived
    kPartialLeft,  // an unfinished upload could not be deleted from the server
    kNotLocalName, // the server's name for the entry cannot be a name on this computer
    kNotServerName,    // the name's characters cannot be sent to the server
    kLocalFileChanged, // the local file grew or shrank while it was uploaded
    kTargetAppeared,   // a local file of the name was created while it was downloaded
    kLinkNotFollowed,  // a linked local folder, whose files were not collected
};

struct FtpFailure {
    FtpFailureKind kind = FtpFailureKind::kNone;
    std::uint32_t error = 0;  // the WinINet or system error code, 0 when none
    std::wstring text;
    bool atLogin = false;  // no connection or no login: nothing else was tried
};

// A failure known only by its kind.
inline FtpFailure FailureOfKind(FtpFailureKind kind)
{
    FtpFailure failure;
    failure.kind = kind;
    return failure;
}

// A file or folder an operation failed on, and why.
struct FtpFailedEntry {
    std::wstring name;
    FtpFailure reason;
};

// The program's own words around a reason, in the user's language.
struct FailureWords {
    std::wstring serverAnswered;  // holds %1 for the reply
    std::wstring noAnswer;
    std::wstring incomplete;
    std::wstring partialLeft;
    std::wstring notLocalName{};
    // For the errors the system may have no text for (Wine has none for
    // several): the program's own words, by error code.
    std::map<std::uint32_t, std::wstring> errorTexts{};
    std::wstring notServerName{};
    std::wstring localFileChanged{};
    std::wstring targetAppeared{};
    std::wstring linkNotFollowed{};
};

// WinINet's error numbers (wininet.h), for the pure code.
constexpr std::uint32_t kInternetErrorFirst = 12000;
constexpr std::uint32_t kInternetErrorLast = 12999;
constexpr std::uint32_t kInternetTimeout = 12002;
constexpr std::uint32_t kInternetExtendedError = 12003;
constexpr std::uint32_t kInternetInvalidUrl = 12005;
constexpr std::uint32_t kInternetLoginFailure = 12015;
constexpr std::uint32_t kInternetCannotConnect = 12029;
constexpr std::uint32_t kInternetNameNotResolved = 12007;
// The system's "file name too long" (ERROR_FILENAME_EXCED_RANGE).
constexpr std::uint32_t kPathTooLong = 206;
// Winsock's, which WinINet passes on for some connections.
constexpr std::uint32_t kSocketTimedOut = 10060;
constexpr std::uint32_t kSocketRefused = 10061;

// A reply that reports an error: three digits, the first a 4 or a 5.
bool IsErrorReply(const std::wstring& reply);

// Whether the failure of a transfer command (listing, upload, download) may
// be the transfer mode's fault, so that the other mode is worth a try: the
// server refused with a permanent (5xx) reply or could not open the data
// connection (425, 426), the connection failed or went silent. A local
// file's error or a temporary refusal (421, 450, ...) is not.
bool MayBeModeFailure(const FtpFailure& failure);

// Whether the failure means the control connection is gone (the server
// closed it with 421, reset it, or stopped answering): the session cannot be
// used again, and a new login may well work.
bool IsDroppedConnection(const FtpFailure& failure);

// Whether the login failed because nothing answered at the server's address
// and port (refused, unknown name, no answer), not because of what the server said.
bool IsUnreachable(const FtpFailure& failure);

// The reason's own line under a message; empty when no reason is known.
std::wstring FailureReasonLine(const FtpFailure& failure, const FailureWords& words);

// The translated sentence first, then the reason on a line of its own.
std::wstring WithReason(const std::wstring& sentence, const FtpFailure& failure, const FailureWords& words);

// One line per entry's name, each followed by its reason's line.
std::wstring FailedEntryLines(const std::vector<FtpFailedEntry>& entries, const FailureWords& words);

// The text with every occurrence of the password masked, so that a server
// that echoes it cannot put it into a message. The reply code that begins a
// line is kept: a password such as "5" must not hide it.
std::wstring HidePassword(const std::wstring& text, const std::wstring& password);
