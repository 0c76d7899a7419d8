#include "ftp/FtpFailure.h"

#include "i18n/LanguageFile.h"

namespace {

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

}  // namespace

bool IsErrorReply(const std::wstring& reply)
{
    return reply.size() >= 3 && (reply[0] == L'4' || reply[0] == L'5') && IsDigit(reply[1]) && IsDigit(reply[2]);
}

bool MayBeModeFailure(const FtpFailure& failure)
{
    switch (failure.kind) {
    case FtpFailureKind::kServerReply:
        return IsErrorReply(failure.text) && (failure.text[0] == L'5' || failure.text.compare(0, 3, L"425") == 0 ||
                                              failure.text.compare(0, 3, L"426") == 0);
    case FtpFailureKind::kNoAnswer:
        return true;
    case FtpFailureKind::kSystem:
        // Winsock's refused and timed out: no data connection could be made.
        return (failure.error >= kInternetErrorFirst && failure.error <= kInternetErrorLast) ||
               failure.error == 10060 || failure.error == 10061;
    case FtpFailureKind::kNone:
    case FtpFailureKind::kIncomplete:
    case FtpFailureKind::kPartialLeft:
        break;
    }
    return false;
}

bool IsDroppedConnection(const FtpFailure& failure)
{
    switch (failure.kind) {
    case FtpFailureKind::kServerReply:
        return failure.text.compare(0, 3, L"421") == 0;
    case FtpFailureKind::kNoAnswer:
        return true;
    case FtpFailureKind::kSystem:
        // Timed out, aborted, reset, closed by the server (Wine), dropped, and
        // Winsock's reset and aborted.
        for (std::uint32_t error : {12002u, 12030u, 12031u, 12110u, 12111u, 10053u, 10054u})
            if (failure.error == error)
                return true;
        return false;
    case FtpFailureKind::kNone:
    case FtpFailureKind::kIncomplete:
    case FtpFailureKind::kPartialLeft:
        break;
    }
    return false;
}

std::wstring WinInetErrorText(std::uint32_t error)
{
    switch (error) {
    case kInternetTimeout:
        return L"The server did not answer in time.";
    case 12004:
        return L"An internal error occurred in WinINet.";
    case kInternetInvalidUrl:
        return L"The server name is not valid.";
    case 12007:
        return L"The server name could not be resolved.";
    case 12013:
        return L"The user name was refused.";
    case 12014:
        return L"The password was refused.";
    case kInternetLoginFailure:
        return L"The login was refused.";
    case 12017:
        return L"The operation was cancelled.";
    case 12029:
        return L"No connection to the server could be made.";
    case 12030:
        return L"The connection to the server was aborted.";
    case 12031:
        return L"The connection to the server was reset.";
    // Wine reports a control connection that the server closed this way.
    case 12110:
        return L"The server closed the connection.";
    case 12111:
        return L"The FTP connection was dropped.";
    default:
        return std::wstring();
    }
}

std::wstring FailureReasonLine(const FtpFailure& failure, const FailureWords& words)
{
    switch (failure.kind) {
    case FtpFailureKind::kServerReply:
        return FillPlaceholder(words.serverAnswered, failure.text);
    case FtpFailureKind::kNoAnswer:
        return words.noAnswer;
    case FtpFailureKind::kSystem:
        if (!failure.text.empty())
            return failure.text;
        return failure.error ? L"Error " + std::to_wstring(failure.error) : std::wstring();
    case FtpFailureKind::kIncomplete:
        return words.incomplete;
    case FtpFailureKind::kPartialLeft:
        return words.partialLeft;
    case FtpFailureKind::kNone:
        break;
    }
    return std::wstring();
}

std::wstring HidePassword(std::wstring text, const std::wstring& password)
{
    if (password.empty())
        return text;
    for (std::size_t at = text.find(password); at != std::wstring::npos; at = text.find(password, at + 6))
        text.replace(at, password.size(), L"******");
    return text;
}

std::wstring WithReason(const std::wstring& sentence, const FtpFailure& failure, const FailureWords& words)
{
    const std::wstring reason = FailureReasonLine(failure, words);
    return reason.empty() ? sentence : sentence + L"\n" + reason;
}

std::wstring FailedEntryLines(const std::vector<FtpFailedEntry>& entries, const FailureWords& words)
{
    std::wstring lines;
    for (const FtpFailedEntry& entry : entries)
        lines += L"\n" + WithReason(entry.name, entry.reason, words);
    return lines;
}
