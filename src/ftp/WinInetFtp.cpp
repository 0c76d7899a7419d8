#include "ftp/WinInetFtp.h"

#include "framework/SystemErrorText.h"

#include <windows.h>
#include <wininet.h>

namespace {

void ToEntry(const WIN32_FIND_DATAW& data, FtpFindEntry& entry)
{
    entry.name = data.cFileName;
    entry.attributes = data.dwFileAttributes;
    entry.sizeHigh = data.nFileSizeHigh;
    entry.sizeLow = data.nFileSizeLow;
    entry.lastWriteTime =
        (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
}

// Why the last WinINet call failed: the server's reply where WinINet kept
// one, otherwise the system's text for the error.
std::wstring FailureReason(DWORD error)
{
    if (error == ERROR_INTERNET_EXTENDED_ERROR) {
        DWORD code = 0;
        DWORD length = 0;
        ::InternetGetLastResponseInfoW(&code, nullptr, &length);
        std::wstring reply(length + 1, L'\0');
        length = static_cast<DWORD>(reply.size());
        if (::InternetGetLastResponseInfoW(&code, reply.data(), &length)) {
            reply = TrimLineEnd(reply.substr(0, length));
            if (!reply.empty())
                return reply;
        }
    }
    return SystemErrorText(error, ::GetModuleHandleW(L"wininet.dll"));
}

std::wstring FolderOf(const std::wstring& path)
{
    const std::size_t separator = path.find_last_of(L"\\/");
    return separator == std::wstring::npos ? std::wstring(L".") : path.substr(0, separator);
}

class WinInetSession : public FtpSession {
public:
    WinInetSession(HINTERNET internet, HINTERNET connection) : m_internet(internet), m_connection(connection) {}

    ~WinInetSession() override
    {
        FindEnd();
        ::InternetCloseHandle(m_connection);
        ::InternetCloseHandle(m_internet);
    }

    WinInetSession(const WinInetSession&) = delete;
    WinInetSession& operator=(const WinInetSession&) = delete;

    bool ChangeDir(const std::wstring& folder) override
    {
        return ::FtpSetCurrentDirectoryW(m_connection, folder.c_str()) != FALSE;
    }

    bool MakeDir(const std::wstring& folder) override
    {
        return ::FtpCreateDirectoryW(m_connection, folder.c_str()) != FALSE;
    }

    FtpFindStatus FindFirst(FtpFindEntry& entry) override
    {
        FindEnd();
        WIN32_FIND_DATAW data = {};
        // RELOAD: a listing taken right after an upload must not come from a cache.
        m_find = ::FtpFindFirstFileW(m_connection, L"*.*", &data, INTERNET_FLAG_RELOAD, 0);
        if (!m_find) {
            // An empty folder ends with ERROR_NO_MORE_FILES; Wine leaves the
            // last error at 0 for it. Anything else is a refused listing.
            const DWORD error = ::GetLastError();
            return error == ERROR_NO_MORE_FILES || error == ERROR_SUCCESS ? FtpFindStatus::kEmpty
                                                                          : FtpFindStatus::kFailed;
        }
        ToEntry(data, entry);
        return FtpFindStatus::kEntry;
    }

    bool FindNext(FtpFindEntry& entry) override
    {
        WIN32_FIND_DATAW data = {};
        if (!m_find || !::InternetFindNextFileW(m_find, &data))
            return false;
        ToEntry(data, entry);
        return true;
    }

    void FindEnd() override
    {
        if (m_find) {
            ::InternetCloseHandle(m_find);
            m_find = nullptr;
        }
    }

    bool Put(const std::wstring& localPath, const std::wstring& remoteName) override
    {
        return ::FtpPutFileW(m_connection, localPath.c_str(), remoteName.c_str(), FTP_TRANSFER_TYPE_BINARY, 0) !=
               FALSE;
    }

    // WinINet creates the local file before the server has answered, so a
    // refused transfer would truncate an existing file of that name. The data
    // goes to a fresh file beside the target and replaces it only when whole.
    bool Get(const std::wstring& remoteName, const std::wstring& localPath) override
    {
        wchar_t partial[MAX_PATH] = {};
        if (!::GetTempFileNameW(FolderOf(localPath).c_str(), L"ftp", 0, partial))
            return false;
        const bool fetched = ::FtpGetFileW(m_connection, remoteName.c_str(), partial, FALSE, FILE_ATTRIBUTE_NORMAL,
                                           FTP_TRANSFER_TYPE_BINARY | INTERNET_FLAG_RELOAD, 0) != FALSE;
        if (fetched && ::MoveFileExW(partial, localPath.c_str(), MOVEFILE_REPLACE_EXISTING))
            return true;
        ::DeleteFileW(partial);
        return false;
    }

    bool Delete(const std::wstring& name) override { return ::FtpDeleteFileW(m_connection, name.c_str()) != FALSE; }

    bool RemoveDir(const std::wstring& name) override
    {
        return ::FtpRemoveDirectoryW(m_connection, name.c_str()) != FALSE;
    }

    bool Rename(const std::wstring& from, const std::wstring& to, std::wstring& reason) override
    {
        if (::FtpRenameFileW(m_connection, from.c_str(), to.c_str()))
            return true;
        reason = FailureReason(::GetLastError());
        return false;
    }

private:
    HINTERNET m_internet;
    HINTERNET m_connection;
    HINTERNET m_find = nullptr;
};

}  // namespace

std::unique_ptr<FtpSession> WinInetFtp::Open(const FtpServerAddress& address, const std::wstring& user,
                                             const std::wstring& password)
{
    HINTERNET internet = ::InternetOpenW(nullptr, INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
    if (!internet)
        return nullptr;
    // No INTERNET_FLAG_PASSIVE: the connection uses active-mode FTP.
    HINTERNET connection = ::InternetConnectW(internet, address.host.c_str(), address.port, user.c_str(),
                                              password.c_str(), INTERNET_SERVICE_FTP, 0, 0);
    if (!connection) {
        ::InternetCloseHandle(internet);
        return nullptr;
    }
    return std::make_unique<WinInetSession>(internet, connection);
}

void WinInetFtp::PumpPendingMessages()
{
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) {
        if (!::GetMessageW(&message, nullptr, 0, 0)) {
            // The quit request belongs to the main loop: leave it for it.
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}
