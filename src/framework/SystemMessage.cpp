#include "framework/SystemMessage.h"

std::wstring SystemErrorText(DWORD code)
{
    wchar_t* buffer = nullptr;
    const DWORD length =
        ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                         nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = length && buffer ? std::wstring(buffer, length) : std::wstring();
    if (buffer)
        ::LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
        text.pop_back();
    return text;
}

std::wstring DescribeFileError(const FileError& error)
{
    const std::wstring& path = error.Path();
    // The reader only knows that the file did not open; asking the system
    // again tells a missing file from a locked or forbidden one.
    const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    const DWORD code = file == INVALID_HANDLE_VALUE ? ::GetLastError() : ERROR_SUCCESS;
    if (file != INVALID_HANDLE_VALUE)
        ::CloseHandle(file);
    if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND)
        return error.Message();
    const std::wstring reason = SystemErrorText(code);
    return path + L" could not be opened." + (reason.empty() ? std::wstring() : L"\n\n" + reason);
}
