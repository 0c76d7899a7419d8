// An in-memory FTP server behind the FTP primitives, for the walk orders and
// injected failures of the engine's operations. Every primitive call is
// written to `log` as one line, with paths resolved the way a server would.
// Several engines may use it at once from threads of their own, as the
// sessions of a batch do; each thread has its own last failure.
#pragma once

#include "ftp/FtpPath.h"
#include "ftp/FtpPrimitives.h"

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <thread>
#include <string>
#include <vector>

class FakeFtp : public FtpPrimitives {
public:
    FakeFtp() { m_folders[L"/"]; }

    // Paths are absolute; missing parents are created.
    void AddFolder(const std::wstring& path, std::uint32_t extraAttributes = 0)
    {
        AddEntry(path, kFtpAttributeDirectory | extraAttributes, 0);
        m_folders[path];
    }
    void AddFile(const std::wstring& path, std::uint64_t size, std::uint64_t time = 0) { AddEntry(path, 0, size, time); }
    // An entry that is listed as the server reports it but names nothing.
    void AddRawEntry(const std::wstring& folder, const FtpFindEntry& entry) { m_folders[folder].push_back(entry); }

    bool HasFolder(const std::wstring& path) const { return m_folders.count(path) != 0; }
    bool HasFile(const std::wstring& path) const
    {
        const FtpFindEntry* entry = Find(path);
        return entry && (entry->attributes & kFtpAttributeDirectory) == 0;
    }

    // Injected behaviour.
    std::wstring loginFolder = L"/";
    std::wstring password = L"secret";
    std::set<std::wstring> refuseEnter;    // absolute folders CWD refuses
    std::set<std::wstring> refuseListing;  // absolute folders LIST refuses
    std::set<std::wstring> refuseDelete;   // absolute files DELE refuses
    std::set<std::wstring> refuseRename;   // absolute entries RNFR refuses
    std::wstring endlessBelow;             // it and every folder below hold a folder "deeper"
    bool endlessTwice = false;             // ... and a second one, "again"
    std::set<FtpMode> refuseMode;          // listings and transfers in these modes are refused
    std::map<std::wstring, std::uint64_t> breakAfter;  // absolute files whose data connection breaks then
    std::map<std::wstring, std::uint64_t> sendsOnly;   // absolute files RETR ends early, at that size
    // The size of a local file an upload reads.
    std::function<std::uint64_t(const std::wstring&)> localSize = [](const std::wstring&) { return 0; };
    int loginLimit = 0;                    // more sessions at once are refused with 421 (0: no limit)
    // Told the path of each file a transfer starts, outside the server's lock.
    std::function<void(const std::wstring& path)> onTransfer;
    // Told the folder of each listing as it starts.
    std::function<void(const std::wstring& folder)> onListing;

    std::vector<std::wstring> log;
    int openSessions = 0;
    int mostOpenSessions = 0;

    // The log names the mode only when it is active.
    std::unique_ptr<FtpSession> Open(const FtpServerAddress& address, const std::wstring& user,
                                     const std::wstring& pass, FtpMode mode) override
    {
        const std::lock_guard<std::recursive_mutex> guard(m_mutex);
        log.push_back(L"OPEN " + address.host + L":" + std::to_wstring(address.port) + L" " + user +
                      (mode == FtpMode::kActive ? L" active" : L""));
        if (pass != password)
            return Refused(nullptr, L"530 Login incorrect.");
        if (loginLimit > 0 && openSessions >= loginLimit)
            return Refused(nullptr, L"421 Too many connections.");
        return std::make_unique<Session>(*this, mode);
    }
    // As a Western code page: nothing beyond Latin-1 can be sent.
    bool CanSendName(const std::wstring& name) const override
    {
        return std::all_of(name.begin(), name.end(), [](wchar_t c) { return static_cast<std::uint32_t>(c) <= 0xFF; });
    }
    FtpFailure LastFailure() const override
    {
        const std::lock_guard<std::recursive_mutex> guard(m_mutex);
        const auto found = m_failures.find(std::this_thread::get_id());
        return found == m_failures.end() ? FtpFailure() : found->second;
    }
    // The calling thread's last failure, as LastFailure reports it.
    void SetFailure(const FtpFailure& failure)
    {
        const std::lock_guard<std::recursive_mutex> guard(m_mutex);
        m_failures[std::this_thread::get_id()] = failure;
    }

    // The server closes every open session: its next command fails with 421.
    void DropSessions()
    {
        const std::lock_guard<std::recursive_mutex> guard(m_mutex);
        ++m_dropGeneration;
    }
    int Logins() const
    {
        const std::lock_guard<std::recursive_mutex> guard(m_mutex);
        return static_cast<int>(std::count_if(log.begin(), log.end(),
                                              [](const std::wstring& line) { return line.rfind(L"OPEN", 0) == 0; }));
    }

    // "/a/b" from a current folder and a relative or absolute argument.
    static std::wstring Resolve(const std::wstring& current, const std::wstring& argument)
    {
        std::vector<std::wstring> parts;
        const std::wstring whole = (!argument.empty() && argument[0] == L'/') ? argument : current + L"/" + argument;
        std::size_t start = 0;
        while (start <= whole.size()) {
            std::size_t slash = whole.find(L'/', start);
            if (slash == std::wstring::npos)
                slash = whole.size();
            const std::wstring part = whole.substr(start, slash - start);
            if (part == L"..") {
                if (!parts.empty())
                    parts.pop_back();
            } else if (!part.empty() && part != L".") {
                parts.push_back(part);
            }
            start = slash + 1;
        }
        std::wstring path;
        for (const std::wstring& part : parts)
            path += L"/" + part;
        return path.empty() ? L"/" : path;
    }

private:
    template <typename Result>
    Result Refused(Result result, const std::wstring& reply)
    {
        SetFailure({FtpFailureKind::kServerReply, kInternetExtendedError, reply});
        return result;
    }

    class Session : public FtpSession {
    public:
        Session(FakeFtp& server, FtpMode mode)
            : m_server(server), m_current(server.loginFolder), m_mode(mode), m_generation(server.m_dropGeneration)
        {
            m_server.mostOpenSessions = std::max(m_server.mostOpenSessions, ++m_server.openSessions);
        }
        ~Session() override
        {
            const std::lock_guard<std::recursive_mutex> guard(m_server.m_mutex);
            m_server.log.push_back(L"CLOSE");
            --m_server.openSessions;
        }

        bool CurrentDir(std::wstring& folder) override
        {
            const std::lock_guard<std::recursive_mutex> guard(m_server.m_mutex);
            if (Dropped())
                return false;
            folder = m_current;
            return true;
        }

        bool ChangeDir(const std::wstring& folder) override
        {
            const std::lock_guard<std::recursive_mutex> guard(m_server.m_mutex);
            if (Dropped())
                return false;
            const std::wstring target = Resolve(m_current, folder);
            m_server.log.push_back(L"CWD " + target);
            if (m_server.refuseEnter.count(target) || !(m_server.HasFolder(target) || m_server.IsEndless(target)))
                return m_server.Refused(false, L"550 Failed to change directory.");
            m_current = target;
            return true;
        }
        bool MakeDir(const std::wstring& folder) override
        {
            const std::lock_guard<std::recursive_mutex> guard(m_server.m_mutex);
            if (Dropped())
                return false;
            const std::wstring target = Resolve(m_current, folder);
            m_server.log.push_back(L"MKD " + target);
            if (m_server.Find(target) || !m_server.HasFolder(Parent(target)))
                return m_server.Refused(false, L"550 Create directory operation failed.");
            m_server.AddFolder(target);
            return true;
        }
        FtpFindStatus FindFirst(FtpFindEntry& entry) override
        {
            const std::lock_guard<std::recursive_mutex> guard(m_server.m_mutex);
            if (Dropped())
                return FtpFindStatus::kFailed;
            m_server.log.push_back(L"LIST " + m_current);
            if (m_server.onListing)
                m_server.onListing(m_current);
            if (ModeRefused())
                return FtpFindStatus::kFailed;
            if (m_server.refuseListing.count(m_current))
                return m_server.Refused(FtpFindStatus::kFailed, L"550 Listing not allowed.");
            m_entries = m_server.m_folders[m_current];
            if (m_server.IsEndless(m_current)) {
                m_entries = {{L"deeper", kFtpAttributeDirectory, 0, 0}};
                if (m_server.endlessTwice)
                    m_entries.push_back({L"again", kFtpAttributeDirectory, 0, 0});
            }
            m_next = 0;
            return FindNext(entry) ? FtpFindStatus::kEntry : FtpFindStatus::kEmpty;
        }
        bool FindNext(FtpFindEntry& entry) override
        {
            if (m_next >= m_entries.size())
                return false;
            entry = m_entries[m_next++];
            return true;
        }
        void FindEnd() override { m_entries.clear(); }
        // The local file's size comes from localSize; the data moves in
        // blocks, each told to blockDone, and an unfinished upload is deleted
        // again, as the primitives promise.
        FtpTransferResult Put(const std::wstring& localPath, const std::wstring& remoteName,
                              const FtpBlockCallback& blockDone) override
        {
            std::unique_lock<std::recursive_mutex> lock(m_server.m_mutex);
            if (Dropped())
                return {};
            const std::wstring target = Resolve(m_current, remoteName);
            m_server.log.push_back(L"STOR " + localPath + L" > " + target);
            if (ModeRefused())
                return {};
            const std::uint64_t size = m_server.localSize(localPath);
            lock.unlock();
            FtpTransferResult result = m_server.Stream(target, size, blockDone);
            lock.lock();
            m_server.Erase(target);
            m_server.AddFile(target, result.bytes);
            if (!result) {
                const FtpFailure reason = m_server.LastFailure();
                result.partialLeft = !Delete(remoteName);
                m_server.SetFailure(result.partialLeft && result.status == FtpTransferStatus::kStopped
                                        ? FailureOfKind(FtpFailureKind::kPartialLeft)
                                        : reason);
            }
            return result;
        }
        FtpTransferResult Get(const std::wstring& remoteName, const std::wstring& localPath,
                              std::optional<std::uint64_t> expected, bool,
                              const FtpBlockCallback& blockDone) override
        {
            std::unique_lock<std::recursive_mutex> lock(m_server.m_mutex);
            if (Dropped())
                return {};
            const std::wstring source = Resolve(m_current, remoteName);
            m_server.log.push_back(L"RETR " + source + L" > " + localPath);
            const FtpFindEntry* entry = m_server.Find(source);
            if (ModeRefused())
                return {};
            if (!m_server.HasFile(source))
                return m_server.Refused(FtpTransferResult(), L"550 Failed to open file.");
            const auto sends = m_server.sendsOnly.find(source);
            const std::uint64_t size =
                sends != m_server.sendsOnly.end() ? sends->second : CombineFileSize(entry->sizeHigh, entry->sizeLow);
            lock.unlock();
            FtpTransferResult result = m_server.Stream(source, size, blockDone);
            if (result && !IsWholeTransfer(result.bytes, expected)) {
                result.status = FtpTransferStatus::kShort;
                m_server.SetFailure(FailureOfKind(FtpFailureKind::kIncomplete));
            }
            return result;
        }
        bool Delete(const std::wstring& name) override
        {
            const std::lock_guard<std::recursive_mutex> guard(m_server.m_mutex);
            if (Dropped())
                return false;
            const std::wstring target = Resolve(m_current, name);
            m_server.log.push_back(L"DELE " + target);
            if (m_server.refuseDelete.count(target) || !m_server.HasFile(target))
                return m_server.Refused(false, L"550 Delete operation failed.");
            m_server.Erase(target);
            return true;
        }
        // Like many servers, an existing target is replaced.
        bool Rename(const std::wstring& from, const std::wstring& to, std::wstring& reason) override
        {
            const std::lock_guard<std::recursive_mutex> guard(m_server.m_mutex);
            const std::wstring source = Resolve(m_current, from);
            const std::wstring target = Resolve(m_current, to);
            m_server.log.push_back(L"RNFR " + source + L" RNTO " + target);
            const FtpFindEntry* entry = m_server.Find(source);
            if (m_server.refuseRename.count(source) || !entry) {
                reason = L"550 Not allowed.";
                return false;
            }
            // Only the entry itself: the engine never looks below it afterwards.
            FtpFindEntry moved = *entry;
            moved.name = Name(target);
            m_server.Erase(target);
            m_server.Erase(source);
            m_server.m_folders[Parent(target)].push_back(moved);
            return true;
        }
        bool RemoveDir(const std::wstring& name) override
        {
            const std::lock_guard<std::recursive_mutex> guard(m_server.m_mutex);
            if (Dropped())
                return false;
            const std::wstring target = Resolve(m_current, name);
            m_server.log.push_back(L"RMD " + target);
            if (!m_server.HasFolder(target) || !m_server.m_folders[target].empty())
                return m_server.Refused(false, L"550 Remove directory operation failed.");
            m_server.Erase(target);
            m_server.m_folders.erase(target);
            return true;
        }

    private:
        // A session the server closed answers every command with 421.
        bool Dropped()
        {
            return m_generation != m_server.m_dropGeneration &&
                   m_server.Refused(true, L"421 Service not available, closing control connection.");
        }

        // The way a server answers PASV or PORT when the mode is switched off.
        bool ModeRefused()
        {
            return m_server.refuseMode.count(m_mode) && m_server.Refused(true, L"550 Permission denied.");
        }

        FakeFtp& m_server;
        std::wstring m_current;
        FtpMode m_mode;
        int m_generation;
        std::vector<FtpFindEntry> m_entries;
        std::size_t m_next = 0;
    };

    // Moves `size` bytes in blocks: a break injected for the path fails the
    // transfer with the server's reply, blockDone may stop it.
    FtpTransferResult Stream(const std::wstring& path, std::uint64_t size, const FtpBlockCallback& blockDone)
    {
        if (onTransfer)
            onTransfer(path);
        FtpTransferResult result;
        const auto broken = breakAfter.find(path);
        while (result.bytes < size) {
            const std::uint64_t next = std::min<std::uint64_t>(size, result.bytes + kTransferBlockSize);
            if (broken != breakAfter.end() && next > broken->second) {
                result.bytes = broken->second;
                return Refused(result, L"426 Connection closed; transfer aborted.");
            }
            result.bytes = next;
            if (blockDone && !blockDone(result.bytes) && result.bytes < size) {
                result.status = FtpTransferStatus::kStopped;
                return result;
            }
        }
        result.status = FtpTransferStatus::kComplete;
        return result;
    }

    static std::wstring Parent(const std::wstring& path)
    {
        const std::size_t slash = path.rfind(L'/');
        return slash == 0 ? L"/" : path.substr(0, slash);
    }
    static std::wstring Name(const std::wstring& path) { return path.substr(path.rfind(L'/') + 1); }

    bool IsEndless(const std::wstring& path) const
    {
        return !endlessBelow.empty() &&
               (path == endlessBelow || path.compare(0, endlessBelow.size() + 1, endlessBelow + L"/") == 0);
    }

    void AddEntry(const std::wstring& path, std::uint32_t attributes, std::uint64_t size, std::uint64_t time = 0)
    {
        const std::wstring parent = Parent(path);
        if (!HasFolder(parent))
            AddFolder(parent);
        m_folders[parent].push_back({Name(path), attributes, static_cast<std::uint32_t>(size >> 32),
                                     static_cast<std::uint32_t>(size & 0xFFFFFFFFu), time});
    }

    const FtpFindEntry* Find(const std::wstring& path) const
    {
        const auto folder = m_folders.find(Parent(path));
        if (path == L"/" || folder == m_folders.end())
            return nullptr;
        for (const FtpFindEntry& entry : folder->second)
            if (entry.name == Name(path))
                return &entry;
        return nullptr;
    }

    void Erase(const std::wstring& path)
    {
        std::vector<FtpFindEntry>& siblings = m_folders[Parent(path)];
        for (auto it = siblings.begin(); it != siblings.end(); ++it) {
            if (it->name == Name(path)) {
                siblings.erase(it);
                return;
            }
        }
    }

    std::map<std::wstring, std::vector<FtpFindEntry>> m_folders;  // absolute folder -> entries in server order
    mutable std::recursive_mutex m_mutex;
    std::map<std::thread::id, FtpFailure> m_failures;
    int m_dropGeneration = 0;
};
