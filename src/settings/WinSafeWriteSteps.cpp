#include "settings/WinSafeWriteSteps.h"

#include <windows.h>

#include <algorithm>

bool WinSafeWriteSteps::WriteFlushed(const std::wstring& path, const std::string& bytes)
{
    const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool ok = true;
    size_t done = 0;
    while (ok && done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
        DWORD written = 0;
        ok = ::WriteFile(file, bytes.data() + done, chunk, &written, nullptr) && written > 0;
        done += written;
    }
    ok = ok && ::FlushFileBuffers(file);
    // A failed close can mean the data never reached the disk.
    return ::CloseHandle(file) && ok;
}

bool WinSafeWriteSteps::Replace(const std::wstring& source, const std::wstring& target)
{
    // Windows refuses to move onto a read-only file; Wine replaces it. Ask
    // first, so that a settings file the user made read-only stays as it is.
    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0)
        return false;
    return ::MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

void WinSafeWriteSteps::Remove(const std::wstring& path)
{
    ::DeleteFileW(path.c_str());
}
