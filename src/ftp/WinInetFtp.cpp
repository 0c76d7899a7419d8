#include "ftp/WinInetFtp.h"

#include "ftp/WinInetDataThread.h"
#include "ftp/WinInetFailure.h"

#include "framework/SystemErrorText.h"

#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace {

// Connect, send and receive time limits of every connection. Wine's WinINet
// ignores them and waits 30 s for each reply, so the login also has this
// limit of its own: it runs on a thread that is left behind when it is over.
// The data calls of transfers have theirs in WinInetDataThread.
constexpr DWORD kTimeLimitMs = WinInetFtp::kTimeLimitMs;

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
    WinInetSession(HINTERNET internet, HINTERNET connection, const std::wstring& password, DWORD silenceLimitMs,
                   std::unique_ptr<WinInetDataThread>& dataThread, FtpFailure& failure)
        : m_internet(internet),
          m_connection(connection),
          m_password(password),
          m_silenceLimitMs(silenceLimitMs),
          m_dataThread(dataThread),
          m_failure(failure)
    {
    }

    ~WinInetSession() override
    {
        FindEnd();
        if (m_connection)
            ::InternetCloseHandle(m_connection);
        if (m_internet)
            ::InternetCloseHandle(m_internet);
    }

    WinInetSession(const WinInetSession&) = delete;
    WinInetSession& operator=(const WinInetSession&) = delete;

    bool ChangeDir(const std::wstring& folder) override
    {
        return Done(::FtpSetCurrentDirectoryW(m_connection, folder.c_str()));
    }

    bool CurrentDir(std::wstring& folder) override
    {
        wchar_t name[MAX_PATH + 1] = {};
        DWORD length = MAX_PATH;
        if (!Done(::FtpGetCurrentDirectoryW(m_connection, name, &length)))
            return false;
        // Wine reports the buffer's length rather than the name's.
        folder = name;
        return true;
    }

    bool MakeDir(const std::wstring& folder) override
    {
        return Done(::FtpCreateDirectoryW(m_connection, folder.c_str()));
    }

    FtpFindStatus FindFirst(FtpFindEntry& entry) override
    {
        FindEnd();
        WIN32_FIND_DATAW data = {};
        // RELOAD: a listing taken right after an upload must not come from a cache.
        m_find = ::FtpFindFirstFileW(m_connection, L"*.*", &data, INTERNET_FLAG_RELOAD, 0);
        const DWORD error = m_find ? ERROR_SUCCESS : ::GetLastError();
        if (!m_find && error != ERROR_NO_MORE_FILES && error != ERROR_SUCCESS) {
            Done(FALSE);
            return FtpFindStatus::kFailed;
        }
        // A listing the server broke off ends with an error reply after the
        // lines that came, and Wine reports no error for it: an empty or
        // partial listing would pass for the folder. An empty folder is
        // answered "450" or "550" by some servers, which is no failure.
        const std::wstring reply = FinalReply();
        const bool emptyAnswer = !m_find && (reply.compare(0, 3, L"450") == 0 || reply.compare(0, 3, L"550") == 0);
        if (IsErrorReply(reply) && !emptyAnswer) {
            FindEnd();
            m_failure = {FtpFailureKind::kServerReply, ERROR_INTERNET_EXTENDED_ERROR, HidePassword(reply, m_password)};
            return FtpFindStatus::kFailed;
        }
        if (!m_find)
            return FtpFindStatus::kEmpty;
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

    FtpTransferResult Put(const std::wstring& localPath, const std::wstring& remoteName,
                          const FtpBlockCallback& blockDone) override
    {
        FtpTransferResult result;
        const HANDLE local = ::CreateFileW(localPath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                           FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        if (local == INVALID_HANDLE_VALUE) {
            Done(FALSE);
            return result;
        }
        LARGE_INTEGER size = {};
        const HINTERNET remote = Done(::GetFileSizeEx(local, &size)) ? OpenRemote(remoteName, GENERIC_WRITE) : nullptr;
        if (!remote) {
            ::CloseHandle(local);
            return result;
        }
        const std::uint64_t whole = static_cast<std::uint64_t>(size.QuadPart);
        WinInetDataThread& data = DataThreadFor(remote);
        result.status = SendBlocks(data, local, whole, blockDone, result.bytes);
        const bool gaveUp = Settled(data);
        ::CloseHandle(local);
        // A file that grew or shrank while it was read is no copy of one
        // state of it: the part goes, and the server's copy stays as it was.
        if (result.status == FtpTransferStatus::kComplete && result.bytes != whole) {
            result.status = FtpTransferStatus::kFailed;
            m_failure = FailureOfKind(FtpFailureKind::kLocalFileChanged);
        }
        if (gaveUp) {
            // The connection went with the call given up: nothing can delete the part sent.
            HandedOver();
            result.partialLeft = true;
            if (result.status == FtpTransferStatus::kStopped)
                m_failure = FailureOfKind(FtpFailureKind::kPartialLeft);
            return result;
        }
        CloseRemote(remote, result, true);
        if (!result) {
            // The reason stays the transfer's, not the deletion's.
            const FtpFailure reason = m_failure;
            result.partialLeft = !Delete(remoteName);
            m_failure = result.partialLeft && result.status == FtpTransferStatus::kStopped
                            ? FailureOfKind(FtpFailureKind::kPartialLeft)
                            : reason;
        }
        return result;
    }

    FtpTransferResult Get(const std::wstring& remoteName, const std::wstring& localPath,
                          std::optional<std::uint64_t> expected, bool replace,
                          const FtpBlockCallback& blockDone) override
    {
        FtpTransferResult result;
        // GetTempFileNameW needs room for "\ftpXXXX.tmp" within MAX_PATH,
        // and the target itself must fit as well.
        const std::wstring folder = FolderOf(localPath);
        if (folder.size() + 14 > MAX_PATH || localPath.size() >= MAX_PATH) {
            m_failure = {FtpFailureKind::kSystem, ERROR_FILENAME_EXCED_RANGE, std::wstring()};
            return result;
        }
        wchar_t partial[MAX_PATH] = {};
        if (!Done(::GetTempFileNameW(folder.c_str(), L"ftp", 0, partial)))
            return result;
        const HINTERNET remote = OpenRemote(remoteName, GENERIC_READ);
        const HANDLE local = remote ? ::CreateFileW(partial, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr)
                                    : INVALID_HANDLE_VALUE;
        if (remote && local == INVALID_HANDLE_VALUE)
            Done(FALSE);
        bool gaveUp = false;
        if (local != INVALID_HANDLE_VALUE) {
            WinInetDataThread& data = DataThreadFor(remote);
            result.status = ReceiveBlocks(data, local, expected, blockDone, result.bytes);
            gaveUp = Settled(data);
            if (!Done(::CloseHandle(local)))
                result.status = FtpTransferStatus::kFailed;
        }
        if (gaveUp)
            HandedOver();
        else if (remote)
            CloseRemote(remote, result, false);
        if (result && !IsWholeTransfer(result.bytes, expected)) {
            result.status = FtpTransferStatus::kShort;
            m_failure = FailureOfKind(FtpFailureKind::kIncomplete);
        }
        // Without leave to replace, a file created under the name meanwhile
        // stays. A folder of the name is no such file: the system says why.
        if (result && !::MoveFileExW(partial, localPath.c_str(), replace ? MOVEFILE_REPLACE_EXISTING : 0)) {
            const DWORD error = ::GetLastError();
            const DWORD target = ::GetFileAttributesW(localPath.c_str());
            if (!replace && (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS) &&
                target != INVALID_FILE_ATTRIBUTES && !(target & FILE_ATTRIBUTE_DIRECTORY)) {
                m_failure = FailureOfKind(FtpFailureKind::kTargetAppeared);
            } else {
                ::SetLastError(error);
                Done(FALSE);
            }
            result.status = FtpTransferStatus::kFailed;
        }
        if (!result)
            ::DeleteFileW(partial);
        return result;
    }

    bool Delete(const std::wstring& name) override { return Done(::FtpDeleteFileW(m_connection, name.c_str())); }

    bool RemoveDir(const std::wstring& name) override
    {
        return Done(::FtpRemoveDirectoryW(m_connection, name.c_str()));
    }

    bool Rename(const std::wstring& from, const std::wstring& to, std::wstring& reason) override
    {
        if (::FtpRenameFileW(m_connection, from.c_str(), to.c_str()))
            return true;
        reason = FailureReason(::GetLastError());
        return false;
    }

private:
    // RELOAD and NO_CACHE_WRITE: a file is neither served from nor copied
    // into the Internet cache. Wine copies every file into it all the same;
    // that copy, when there is one, is deleted when the file is closed.
    HINTERNET OpenRemote(const std::wstring& name, DWORD access)
    {
        const HINTERNET file =
            ::FtpOpenFileW(m_connection, name.c_str(), access,
                           FTP_TRANSFER_TYPE_BINARY | INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 0);
        Done(file != nullptr);
        wchar_t cached[MAX_PATH] = {};
        DWORD size = sizeof(cached);
        m_cacheCopy = file && ::InternetQueryOptionW(file, INTERNET_OPTION_DATAFILE_NAME, cached, &size)
                          ? std::wstring(cached)
                          : std::wstring();
        return file;
    }

    // The last line of the last reply: a transfer's reply may follow its
    // "150" in the same text.
    static std::wstring FinalReply()
    {
        std::wstring reply = LastReply();
        const std::size_t lineStart = reply.find_last_of(L"\r\n");
        return lineStart == std::wstring::npos ? reply : reply.substr(lineStart + 1);
    }

    // Closing the file ends its data connection, and the server's reply to
    // the transfer comes then: WinINet reports no failure for it, so a
    // refusal (426, 451, 552, ...) is read from the reply itself. An upload
    // counts only on the server's word that it arrived (2xx): a control
    // connection that closed after the data leaves the "150" last.
    void CloseRemote(HINTERNET remote, FtpTransferResult& result, bool upload)
    {
        ::InternetCloseHandle(remote);
        if (!m_cacheCopy.empty())
            ::DeleteFileW(m_cacheCopy.c_str());
        if (result.status != FtpTransferStatus::kComplete)
            return;
        const std::wstring reply = FinalReply();
        if (IsErrorReply(reply)) {
            result.status = FtpTransferStatus::kFailed;
            m_failure = {FtpFailureKind::kServerReply, ERROR_INTERNET_EXTENDED_ERROR, HidePassword(reply, m_password)};
        } else if (upload && (reply.empty() || reply[0] != L'2')) {
            result.status = FtpTransferStatus::kFailed;
            m_failure = {FtpFailureKind::kNoAnswer, ERROR_INTERNET_TIMEOUT, std::wstring()};
        }
    }

    // Sends the local file block by block; the next block is read from
    // disk while the one before goes out.
    FtpTransferStatus SendBlocks(WinInetDataThread& data, HANDLE local, std::uint64_t whole,
                                 const FtpBlockCallback& blockDone, std::uint64_t& bytes)
    {
        DWORD read = 0;
        if (!Done(::ReadFile(local, data.Block(0).data(), static_cast<DWORD>(data.Block(0).size()), &read, nullptr)))
            return FtpTransferStatus::kFailed;
        for (int block = 0; read > 0; block ^= 1) {
            data.StartWrite(block, read);
            DWORD next = 0;
            const bool readNext = Done(::ReadFile(local, data.Block(block ^ 1).data(),
                                                  static_cast<DWORD>(data.Block(block ^ 1).size()), &next, nullptr));
            const WinInetDataThread::Result written = data.Finish(Waiting(blockDone, bytes));
            bytes += written.bytes;
            if (written.outcome != WinInetDataThread::Outcome::kDone || written.bytes != read)
                return DataFailure(data, written.outcome);
            if (!readNext)
                return FtpTransferStatus::kFailed;
            // A stop after the last block leaves the file whole.
            if (blockDone && !blockDone(bytes) && bytes < whole)
                return FtpTransferStatus::kStopped;
            read = next;
        }
        return FtpTransferStatus::kComplete;
    }

    // Receives whole blocks (WinINet hands out what one receive brought,
    // often a few KiB); the next block comes in while one is written to disk.
    FtpTransferStatus ReceiveBlocks(WinInetDataThread& data, HANDLE local, std::optional<std::uint64_t> expected,
                                    const FtpBlockCallback& blockDone, std::uint64_t& bytes)
    {
        data.StartRead(0);
        for (int block = 0;; block ^= 1) {
            const WinInetDataThread::Result read = data.Finish(Waiting(blockDone, bytes));
            if (read.outcome != WinInetDataThread::Outcome::kDone)
                return DataFailure(data, read.outcome);
            const bool end = read.bytes < data.Block(block).size();
            if (!end)
                data.StartRead(block ^ 1);
            DWORD written = 0;
            if (read.bytes > 0 && (!Done(::WriteFile(local, data.Block(block).data(), read.bytes, &written, nullptr)) ||
                                   written != read.bytes))
                return FtpTransferStatus::kFailed;
            bytes += read.bytes;
            if (end)
                return FtpTransferStatus::kComplete;
            // A stop after the last block leaves the file whole.
            if (blockDone && !blockDone(bytes) && !(expected && bytes >= *expected))
                return FtpTransferStatus::kStopped;
        }
    }

    // While a block is under way: blockDone hears of its bytes too, so the
    // window answers and Stop works even when the server is slow or silent.
    static WinInetDataThread::Waiting Waiting(const FtpBlockCallback& blockDone, std::uint64_t before)
    {
        return [&blockDone, before](DWORD bytes) { return !blockDone || blockDone(before + bytes); };
    }

    // The status of a data call that did not simply return, with its reason.
    FtpTransferStatus DataFailure(const WinInetDataThread& data, WinInetDataThread::Outcome outcome)
    {
        if (outcome == WinInetDataThread::Outcome::kStopped)
            return FtpTransferStatus::kStopped;
        m_failure = outcome == WinInetDataThread::Outcome::kDone ? FailureOfKind(FtpFailureKind::kIncomplete)
                                                                 : data.Failure();
        return FtpTransferStatus::kFailed;
    }

    WinInetDataThread& DataThreadFor(HINTERNET remote)
    {
        if (!m_dataThread)
            m_dataThread = std::make_unique<WinInetDataThread>(m_silenceLimitMs);
        m_dataThread->Attach(remote, m_connection, m_internet, m_password);
        return *m_dataThread;
    }

    // True when a call was given up: its thread is not used again.
    bool Settled(WinInetDataThread& data)
    {
        if (!data.Settle())
            return false;
        m_dataThread.reset();
        return true;
    }

    // A data call given up took the file and the connection with it.
    void HandedOver()
    {
        m_find = nullptr;
        m_connection = nullptr;
        m_internet = nullptr;
        m_cacheCopy.clear();
    }

    // Keeps the reason of a failed call.
    bool Done(BOOL result)
    {
        if (!result)
            m_failure = FailureOfLastCall(m_password);
        return result != FALSE;
    }

    HINTERNET m_internet;
    HINTERNET m_connection;
    HINTERNET m_find = nullptr;
    std::wstring m_cacheCopy;  // of the open remote file
    std::wstring m_password;
    DWORD m_silenceLimitMs;
    std::unique_ptr<WinInetDataThread>& m_dataThread;
    FtpFailure& m_failure;
};

// One login, shared by the thread that makes it and the one that waits for it.
struct LoginAttempt {
    std::wstring host;
    INTERNET_PORT port = INTERNET_DEFAULT_FTP_PORT;
    std::wstring user;
    std::wstring password;
    DWORD flags = 0;

    std::mutex lock;
    std::condition_variable finished;
    bool done = false;
    bool abandoned = false;
    HINTERNET internet = nullptr;
    HINTERNET connection = nullptr;
    FtpFailure failure;
};

void LogIn(const std::shared_ptr<LoginAttempt>& attempt)
{
    HINTERNET internet = ::InternetOpenW(nullptr, INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
    HINTERNET connection = nullptr;
    FtpFailure failure;
    if (internet) {
        DWORD limit = kTimeLimitMs;
        for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT,
                             INTERNET_OPTION_RECEIVE_TIMEOUT})
            ::InternetSetOptionW(internet, option, &limit, sizeof(limit));
        connection = ::InternetConnectW(internet, attempt->host.c_str(), attempt->port, attempt->user.c_str(),
                                        attempt->password.c_str(), INTERNET_SERVICE_FTP, attempt->flags, 0);
    }
    if (!connection) {
        failure = FailureOfLogin(attempt->password);
        if (internet)
            ::InternetCloseHandle(internet);
        internet = nullptr;
    }
    const std::lock_guard<std::mutex> guard(attempt->lock);
    if (attempt->abandoned) {
        if (connection)
            ::InternetCloseHandle(connection);
        if (internet)
            ::InternetCloseHandle(internet);
        return;
    }
    attempt->internet = internet;
    attempt->connection = connection;
    attempt->failure = failure;
    attempt->done = true;
    attempt->finished.notify_one();
}

}  // namespace

WinInetFtp::WinInetFtp(unsigned long dataSilenceLimitMs) : m_dataSilenceLimitMs(dataSilenceLimitMs) {}

WinInetFtp::~WinInetFtp() = default;

std::unique_ptr<FtpSession> WinInetFtp::Open(const FtpServerAddress& address, const std::wstring& user,
                                             const std::wstring& password, FtpMode mode)
{
    const auto attempt = std::make_shared<LoginAttempt>();
    attempt->host = address.host;
    attempt->port = address.port;
    attempt->user = user;
    attempt->password = password;
    // Wine reads the cache flag of a file's transfer from its connection.
    attempt->flags = INTERNET_FLAG_NO_CACHE_WRITE | (mode == FtpMode::kPassive ? INTERNET_FLAG_PASSIVE : 0);
    try {
        std::thread(LogIn, attempt).detach();
    } catch (const std::system_error&) {
        LogIn(attempt);
    }
    std::unique_lock<std::mutex> lock(attempt->lock);
    if (!attempt->finished.wait_for(lock, std::chrono::milliseconds(kTimeLimitMs), [&] { return attempt->done; })) {
        attempt->abandoned = true;
        m_failure = {FtpFailureKind::kNoAnswer, ERROR_INTERNET_TIMEOUT, std::wstring()};
        return nullptr;
    }
    if (!attempt->connection) {
        m_failure = attempt->failure;
        return nullptr;
    }
    return std::make_unique<WinInetSession>(attempt->internet, attempt->connection, password, m_dataSilenceLimitMs,
                                            m_dataThread, m_failure);
}

bool WinInetFtp::CanSendName(const std::wstring& name) const
{
    // A system whose ANSI code page is UTF-8 sends every name as it is (and
    // that conversion takes no default character).
    if (name.empty() || ::GetACP() == CP_UTF8)
        return true;
    // No best fit: "\u0101" must not pass as "a".
    BOOL usedDefault = FALSE;
    const int length = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, name.data(), static_cast<int>(name.size()),
                                             nullptr, 0, nullptr, &usedDefault);
    return length > 0 && !usedDefault;
}
