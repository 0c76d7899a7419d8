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
    default:
        // The program's own findings (a short file, a name, a local change).
        return false;
    }
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
    default:
        return false;
    }
}

bool IsUnreachable(const FtpFailure& failure)
{
    if (!failure.atLogin)
        return false;
    if (failure.kind == FtpFailureKind::kNoAnswer)
        return true;
    if (failure.kind != FtpFailureKind::kSystem)
        return false;
    switch (failure.error) {
    case kInternetTimeout:
    case kInternetNameNotResolved:
    case kInternetCannotConnect:
    case kSocketTimedOut:
    case kSocketRefused:
        return true;
    default:
        return false;
    }
}

std::wstring FailureReasonLine(const FtpFailure& failure, const FailureWords& words)
{
    switch (failure.kind) {
    case FtpFailureKind::kServerReply:
        return FillPlaceholder(words.serverAnswered, failure.text);
    case FtpFailureKind::kNoAnswer:
        return words.noAnswer;
    case FtpFailureKind::kSystem: {
        if (!failure.text.empty())
            return failure.text;
        const auto own = words.errorTexts.find(failure.error);
        if (own != words.errorTexts.end())
            return own->second;
        return failure.error ? L"Error " + std::to_wstring(failure.error) : std::wstring();
    }
    case FtpFailureKind::kIncomplete:
        return words.incomplete;
    case FtpFailureKind::kPartialLeft:
        return words.partialLeft;
    case FtpFailureKind::kNotLocalName:
        return words.notLocalName;
    case FtpFailureKind::kNotServerName:
        return words.notServerName;
    case FtpFailureKind::kLocalFileChanged:
        return words.localFileChanged;
    case FtpFailureKind::kTargetAppeared:
        return words.targetAppeared;
    case FtpFailureKind::kLinkNotFollowed:
        return words.linkNotFollowed;
    case FtpFailureKind::kNone:
        break;
    }
    return std::wstring();
}

std::wstring HidePassword(const std::wstring& text, const std::wstring& password)
{
    if (password.empty())
        return text;
    std::wstring hidden;
    std::size_t line = 0;
    while (line < text.size()) {
        std::size_t end = text.find(L'\n', line);
        end = end == std::wstring::npos ? text.size() : end + 1;
        // "530 " or "230-": the code and its separator stay as they are.
        std::size_t code = 0;
        while (code < 3 && line + code < end && IsDigit(text[line + code]))
            ++code;
        code = code == 3 && line + 3 < end ? 4 : 0;
        std::wstring rest = text.substr(line + code, end - line - code);
        for (std::size_t at = rest.find(password); at != std::wstring::npos; at = rest.find(password, at + 6))
            rest.replace(at, password.size(), L"******");
        hidden += text.substr(line, code) + rest;
        line = end;
    }
    return hidden;
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
