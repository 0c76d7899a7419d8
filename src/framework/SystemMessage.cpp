#include "framework/SystemMessage.h"

#include "framework/SystemErrorText.h"

#include <windows.h>

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
    const std::wstring text = path + L" could not be opened.";
    return code == ERROR_SUCCESS ? text : text + L"\n\n" + SystemErrorText(code);
}
