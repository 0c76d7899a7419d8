#include "ftp/WinInetFailure.h"

#include <wininet.h>

#include <algorithm>

std::wstring SystemText(DWORD error)
{
    const bool inet = error >= INTERNET_ERROR_BASE && error <= INTERNET_ERROR_LAST;
    wchar_t* buffer = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS |
            (inet ? FORMAT_MESSAGE_FROM_HMODULE : FORMAT_MESSAGE_FROM_SYSTEM),
        inet ? ::GetModuleHandleW(L"wininet.dll") : nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0,
        nullptr);
    std::wstring text = length ? std::wstring(buffer, length) : std::wstring();
    ::LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' '))
        text.pop_back();
    return text;
}

std::wstring LastReply()
{
    wchar_t reply[4096] = {};
    DWORD code = 0;
    DWORD length = ARRAYSIZE(reply);
    if (!::InternetGetLastResponseInfoW(&code, reply, &length))
        return std::wstring();
    std::wstring text(reply, std::min<std::size_t>(length, ARRAYSIZE(reply) - 1));
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L'\0'))
        text.pop_back();
    return text;
}

FtpFailure FailureOfLastCall(const std::wstring& password)
{
    const DWORD error = ::GetLastError();
    FtpFailure failure;
    failure.error = error;
    if (error == ERROR_INTERNET_TIMEOUT) {
        failure.kind = FtpFailureKind::kNoAnswer;
        return failure;
    }
    if (error == ERROR_INTERNET_EXTENDED_ERROR || error == ERROR_INTERNET_LOGIN_FAILURE ||
        error == ERROR_INTERNET_CANNOT_CONNECT || error == ERROR_INTERNET_CONNECTION_ABORTED) {
        failure.text = LastReply();
        if (IsErrorReply(failure.text)) {
            failure.kind = FtpFailureKind::kServerReply;
            failure.text = HidePassword(failure.text, password);
            return failure;
        }
    }
    failure.kind = FtpFailureKind::kSystem;
    failure.text = SystemText(error);
    return failure;
}

FtpFailure FailureOfLogin(const std::wstring& password)
{
    FtpFailure failure = FailureOfLastCall(password);
    if (failure.kind != FtpFailureKind::kSystem)
        return failure;
    const std::wstring reply = LastReply();
    if (IsErrorReply(reply)) {
        failure.kind = FtpFailureKind::kServerReply;
        failure.text = HidePassword(reply, password);
    }
    return failure;
}
