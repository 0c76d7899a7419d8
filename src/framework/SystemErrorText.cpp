#include "framework/SystemErrorText.h"

std::wstring SystemErrorText(DWORD error, HMODULE messages)
{
    wchar_t* text = nullptr;
    DWORD flags = FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
    if (messages)
        flags |= FORMAT_MESSAGE_FROM_HMODULE;
    const DWORD length =
        ::FormatMessageW(flags, messages, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring reason = length ? TrimLineEnd(std::wstring(text, length)) : std::wstring();
    ::LocalFree(text);
    return reason.empty() ? L"Error " + std::to_wstring(error) : reason;
}

std::wstring TrimLineEnd(std::wstring text)
{
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' '))
        text.pop_back();
    return text;
}
