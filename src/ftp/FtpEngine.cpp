#include "ftp/FtpEngine.h"

#include "ftp/FtpPath.h"
#include "ftp/SafeLocalName.h"

#include <chrono>
#include <mutex>
#include <random>
#include <vector>

namespace {

bool IsFolder(const FtpFindEntry& entry) { return (entry.attributes & kFtpAttributeDirectory) != 0; }

bool IsLink(const FtpFindEntry& entry) { return (entry.attributes & kFtpAttributeReparsePoint) != 0; }

// Creates every level of the path by its path from the session's current
// directory: a/b/c as a, a/b, a/b/c; /a/b as /a, /a/b. A creation never
// changes the current directory, so an existing level cannot shift the base
// of the next one; a level that exists simply refuses to be created again.
void CreateLevels(FtpSession& session, const std::wstring& path)
{
    std::wstring prefix = (!path.empty() && path[0] == L'/') ? L"/" : L"";
    std::size_t start = 0;
    while (start < path.size()) {
        std::size_t slash = path.find(L'/', start);
        if (slash == std::wstring::npos)
            slash = path.size();
        if (slash > start) {
            if (!prefix.empty() && prefix.back() != L'/')
                prefix += L'/';
            prefix += path.substr(start, slash - start);
            session.MakeDir(prefix);
        }
        start = slash + 1;
    }
}

std::wstring LocalTarget(const std::wstring& localFolder, const std::wstring& fileName)
{
    std::wstring target = localFolder + L"\\" + fileName;
    for (std::size_t i = localFolder.size() + 1; i < target.size(); ++i)
        if (target[i] == L'/')
            target[i] = L'\\';
    return target;
}

// Eight hex digits that the next upload's part has not had before.
std::wstring RandomSuffix()
{
    static std::mt19937 generator(std::random_device{}() ^
                                  static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count()));
    static std::mutex lock;
    const std::lock_guard<std::mutex> guard(lock);
    wchar_t digits[9] = {};
    const std::uint32_t value = generator();
    for (int i = 0; i < 8; ++i)
        digits[i] = L"0123456789abcdef"[(value >> (28 - 4 * i)) & 0xF];
    return digits;
}

double SteadySeconds()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

bool SameLogin(const FtpLogin& a, const FtpLogin& b)
{
    return a.serverName == b.serverName && a.user == b.user && a.password == b.password && a.mode == b.mode;
}

bool IsAbsoluteFolder(const std::wstring& folder) { return !folder.empty() && folder[0] == L'/'; }

}  // namespace

FtpEngine::FtpEngine(FtpPrimitives& ftp, int maxTreeFolders, std::shared_ptr<FtpModeMemory> modes, Clock clock)
    : m_ftp(ftp),
      m_maxTreeFolders(maxTreeFolders),
      m_modes(ftp, std::move(modes)),
      m_clock(clock ? std::move(clock) : Clock(SteadySeconds)),
      m_partSuffix(RandomSuffix)
{
}

FtpEngine::~FtpEngine() = default;

void FtpEngine::CloseSession() { m_kept = Kept(); }

bool FtpEngine::Connect(const FtpLogin& login)
{
    return OnSession(login, [](FtpSession&) { return true; });
}

bool FtpEngine::IsSessionIdle() const { return m_kept.session && m_clock() - m_kept.lastUse >= kIdleLimit; }

bool FtpEngine::LogIn(const FtpLogin& login)
{
    CloseSession();
    const FtpServerAddress address = ParseServerName(login.serverName);
    if (!address.valid) {
        m_failure = {FtpFailureKind::kSystem, kInternetInvalidUrl, std::wstring(), true};
        return false;
    }
    m_kept.session = m_modes.Open(address, login.user, login.password, login.mode);
    if (!m_kept.session) {
        Fail();
        m_failure.atLogin = true;
        return false;
    }
    m_kept.login = login;
    if (!m_kept.session->CurrentDir(m_kept.home) || !IsAbsoluteFolder(m_kept.home))
        m_kept.home.clear();
    m_kept.current = m_kept.home;
    return true;
}

bool FtpEngine::OnSession(const FtpLogin& login, const Step& step)
{
    const bool reused = m_kept.session && SameLogin(m_kept.login, login) && m_clock() - m_kept.lastUse < kIdleLimit;
    if (!reused && !LogIn(login))
        return false;
    bool done = step(*m_kept.session);
    if (!done && IsDroppedConnection(m_failure)) {
        CloseSession();
        if (reused && !Stopped()) {
            if (!LogIn(login))
                return false;
            done = step(*m_kept.session);
            if (!done && IsDroppedConnection(m_failure))
                CloseSession();
        }
    }
    // Without the login directory's name a relative folder means something
    // else after a CWD: such a session serves one operation only.
    if (m_kept.session && m_kept.home.empty())
        CloseSession();
    if (m_kept.session)
        m_kept.lastUse = m_clock();
    return done;
}

std::wstring FtpEngine::Absolute(const std::wstring& folder) const
{
    if (IsAbsoluteFolder(folder) || m_kept.home.empty())
        return folder;
    if (folder.empty())
        return m_kept.home;
    return m_kept.home.back() == L'/' ? m_kept.home + folder : m_kept.home + L"/" + folder;
}

bool FtpEngine::Enter(FtpSession& session, const std::wstring& folder)
{
    const std::wstring target = Absolute(folder);
    if (target == m_kept.current)
        return true;
    if (!target.empty() && !session.ChangeDir(target))
        return Fail();
    m_kept.current = target;
    return true;
}

bool FtpEngine::Fail()
{
    m_failure = m_modes.LastFailure();
    return false;
}

FtpMode FtpEngine::ModeInUse(const FtpLogin& login) const
{
    return m_modes.ModeInUse(ParseServerName(login.serverName), login.mode);
}

bool FtpEngine::ReadLevel(FtpSession& session, std::vector<FtpFindEntry>& entries, std::vector<std::wstring>* unusable,
                          std::uint64_t* parentTime)
{
    FtpFindEntry entry;
    const FtpFindStatus status = session.FindFirst(entry);
    if (status == FtpFindStatus::kEmpty)
        return true;
    if (status == FtpFindStatus::kFailed)
        return Fail();
    do {
        if (Stopped()) {
            session.FindEnd();
            m_failure = {};
            return false;
        }
        if (IsUsableEntryName(entry.name))
            entries.push_back(entry);
        else if (unusable && entry.name.find_first_of(L"/\\") != std::wstring::npos)
            unusable->push_back(entry.name);
        else if (parentTime && entry.name == L"..")
            *parentTime = entry.lastWriteTime;
    } while (session.FindNext(entry));
    session.FindEnd();
    return true;
}

bool FtpEngine::ListFtpFolder(FtpListing& listing, const FtpLogin& login, const std::wstring& folder)
{
    listing.Clear();
    std::vector<FtpFindEntry> entries;
    const bool listed = OnSession(login, [&](FtpSession& session) {
        entries.clear();
        return Enter(session, folder) && ReadLevel(session, entries, nullptr, &listing.parentTime);
    });
    if (!listed)
        return false;
    for (const FtpFindEntry& entry : entries) {
        if (IsFolder(entry)) {
            listing.folderNames.push_back(entry.name);
            listing.folderTimes.push_back(entry.lastWriteTime);
        } else {
            listing.fileNames.push_back(entry.name);
            listing.fileSizes.push_back(CombineFileSize(entry.sizeHigh, entry.sizeLow));
            listing.fileTimes.push_back(entry.lastWriteTime);
        }
    }
    return true;
}

FtpTransferResult FtpEngine::Finished(const FtpTransferResult& result)
{
    if (result.status == FtpTransferStatus::kStopped && !result.partialLeft)
        m_failure = {};
    else if (!result)
        Fail();
    return result;
}

FtpTransferResult FtpEngine::UploadFile(const std::wstring& localPath, const FtpLogin& login,
                                        const std::wstring& folder, const FtpBlockCallback& blockDone)
{
    const std::wstring remoteName = RemoteNameOfLocalPath(localPath);
    if (remoteName.empty()) {
        m_failure = {};
        return {};
    }
    FtpTransferResult result;
    OnSession(login, [&](FtpSession& session) {
        // The common cases cost one command or none: the folder exists, or
        // only its last level is missing. Deeper gaps get every level created.
        if (!Enter(session, folder)) {
            const std::wstring target = Absolute(folder);
            if (!session.MakeDir(target))
                CreateLevels(session, target);
            if (!Enter(session, folder))
                return false;
        }
        const std::wstring part = L"." + remoteName + L".part-" + m_partSuffix();
        result = Finished(session.Put(localPath, part, blockDone));
        std::wstring reason;
        // Servers differ on a rename over an existing file: where it is
        // refused, the old file goes first and the part follows at once.
        if (result && !session.Rename(part, remoteName, reason) &&
            !(session.Delete(remoteName) && session.Rename(part, remoteName, reason))) {
            result.status = FtpTransferStatus::kFailed;
            m_failure = reason.empty() ? m_modes.LastFailure()
                                       : FtpFailure{FtpFailureKind::kServerReply, kInternetExtendedError, reason};
            result.partialLeft = !session.Delete(part);
        }
        if (result.partialLeft)
            result.partialName = part;
        return static_cast<bool>(result);
    });
    return result;
}

void FtpEngine::CreateFtpFolderPath(const FtpLogin& login, const std::wstring& path)
{
    OnSession(login, [&](FtpSession& session) {
        CreateLevels(session, Absolute(path));
        return true;
    });
}

bool FtpEngine::CreateFtpFolders(const FtpLogin& login, const std::vector<std::wstring>& paths)
{
    return OnSession(login, [&](FtpSession& session) {
        // A folder that exists refuses to be made again; whether a folder is
        // really there shows when it is entered.
        for (const std::wstring& path : paths)
            session.MakeDir(Absolute(path));
        return true;
    });
}

FtpTransferResult FtpEngine::DownloadFile(const std::wstring& localFolder, const FtpLogin& login,
                                          const std::wstring& folder, const std::wstring& fileName,
                                          std::optional<std::uint64_t> listedSize, bool replace,
                                          const FtpBlockCallback& blockDone)
{
    if (!IsSafeLocalRelativePath(fileName)) {
        m_failure = {};
        return {};
    }
    return TransferIn(login, folder, [&](FtpSession& session) {
        return session.Get(fileName, LocalTarget(localFolder, fileName), listedSize, replace, blockDone);
    });
}

bool FtpEngine::EnumerateFtpTree(FtpListing& listing, const FtpLogin& login, const std::wstring& folder)
{
    listing.Clear();
    TreeWalk walk;
    WalkLevel(login, folder, 0, listing, walk);
    return !listing.fileNames.empty() || !listing.folderNames.empty();
}

void FtpEngine::WalkLevel(const FtpLogin& login, const std::wstring& folder, int depth, FtpListing& listing,
                          TreeWalk& walk)
{
    ++walk.foldersListed;
    std::vector<FtpFindEntry> entries;
    std::vector<std::wstring> unusable;
    const bool read = !Stopped() && OnSession(login, [&](FtpSession& session) {
        entries.clear();
        unusable.clear();
        return Enter(session, folder) && ReadLevel(session, entries, &unusable);
    });
    if (!read) {
        if (Stopped())
            m_failure = {};
        listing.unlistedFolders.push_back(folder);
        listing.unlistedReasons.push_back(m_failure);
        return;
    }
    for (const std::wstring& name : unusable)
        listing.unusableNames.push_back(JoinFtpPath(folder, name));
    for (const FtpFindEntry& entry : entries) {
        const std::wstring path = JoinFtpPath(folder, entry.name);
        if (!IsFolder(entry)) {
            listing.fileNames.push_back(path);
            listing.fileSizes.push_back(CombineFileSize(entry.sizeHigh, entry.sizeLow));
            listing.fileTimes.push_back(entry.lastWriteTime);
            continue;
        }
        // A listing that names a folder twice leads to the same path twice.
        if (!walk.seen.insert(path).second)
            continue;
        listing.folderNames.push_back(path);
        if (IsLink(entry))
            continue;
        if (depth + 1 >= kMaxTreeDepth) {
            listing.unlistedFolders.push_back(path);
            listing.unlistedReasons.emplace_back();
        } else if (walk.foldersListed >= m_maxTreeFolders) {
            listing.folderLimitReached = true;
        } else {
            WalkLevel(login, path, depth + 1, listing, walk);
        }
    }
}

bool FtpEngine::CreateFtpFolder(const FtpLogin& login, const std::wstring& path)
{
    if (!CanSendName(path)) {
        m_failure = FailureOfKind(FtpFailureKind::kNotServerName);
        return false;
    }
    return OnSession(login, [&](FtpSession& session) {
        return path.empty() || Enter(session, path) || session.MakeDir(Absolute(path)) || Fail();
    });
}

bool FtpEngine::DeleteFtpFile(const FtpLogin& login, const std::wstring& folder, const std::wstring& name)
{
    if (name.empty()) {
        m_failure = {};
        return false;
    }
    return OnSession(login,
                     [&](FtpSession& session) { return Enter(session, folder) && (session.Delete(name) || Fail()); });
}

bool FtpEngine::RemoveFtpFolder(const FtpLogin& login, const std::wstring& folder, const std::wstring& name)
{
    if (name.empty()) {
        m_failure = {};
        return false;
    }
    return OnSession(
        login, [&](FtpSession& session) { return Enter(session, folder) && (session.RemoveDir(name) || Fail()); });
}

FtpRenameOutcome FtpEngine::RenameFtpEntry(const FtpLogin& login, const std::wstring& folder,
                                          const std::wstring& from, const std::wstring& to, std::wstring& reason)
{
    reason.clear();
    if (!IsUsableEntryName(from) || !IsUsableEntryName(to))
        return FtpRenameOutcome::kFailed;
    if (!CanSendName(to))
        return FtpRenameOutcome::kNotSendable;
    FtpRenameOutcome outcome = FtpRenameOutcome::kFailed;
    OnSession(login, [&](FtpSession& session) {
        std::vector<FtpFindEntry> entries;
        if (!Enter(session, folder) || !ReadLevel(session, entries))
            return false;
        // Some servers replace an existing target without a word. Names that
        // differ only in case count as taken too: on a server that ignores
        // case they are one entry. The entry itself may change its case.
        for (const FtpFindEntry& entry : entries)
            if (entry.name != from && SameNameIgnoringCase(entry.name, to)) {
                outcome = FtpRenameOutcome::kNameExists;
                return true;
            }
        outcome = session.Rename(from, to, reason) ? FtpRenameOutcome::kRenamed : FtpRenameOutcome::kFailed;
        return true;
    });
    return outcome;
}

bool FtpEngine::DeleteFtpFolderTree(const FtpLogin& login, const std::wstring& folder,
                                        const std::wstring& name, FtpListing& work,
                                        const FtpDeleteProgress& progress)
{
    const auto report = [&progress](const std::wstring& path) {
        if (progress.beforeDelete)
            progress.beforeDelete(path);
    };
    // An empty name, "." or ".." would make the tree the holding folder itself.
    bool removed = IsUsableEntryName(name) && RemoveFtpFolder(login, folder, name);
    if (!IsUsableEntryName(name)) {
        m_failure = {};
    } else if (!removed && !Stopped()) {
        EnumerateFtpTree(work, login, JoinFtpPath(folder, name));
        // What kept the folder is the first step that failed, not the last
        // removal that found the folder not empty.
        FtpFailure first = work.unlistedReasons.empty() ? FtpFailure() : work.unlistedReasons.front();
        const auto note = [&](bool done) {
            if (!done && first.kind == FtpFailureKind::kNone)
                first = m_failure;
        };
        std::wstring parent;
        std::wstring entry;
        for (const std::wstring& path : work.fileNames) {
            if (Stopped())
                break;
            SplitFtpPath(path, parent, entry);
            report(path);
            note(DeleteFtpFile(login, parent, entry));
        }
        for (auto it = work.folderNames.rbegin(); it != work.folderNames.rend() && !Stopped(); ++it) {
            SplitFtpPath(*it, parent, entry);
            report(*it);
            note(RemoveFtpFolder(login, parent, entry));
        }
        removed = !Stopped() && RemoveFtpFolder(login, folder, name);
        if (!removed && first.kind != FtpFailureKind::kNone)
            m_failure = first;
    }
    if (progress.finished)
        progress.finished();
    return removed;
}

FtpTransferResult FtpEngine::UploadFileAs(const std::wstring& localPath, const FtpLogin& login,
                                          const std::wstring& folder, const std::wstring& remoteName)
{
    return InFolderAs(login, folder, remoteName,
                      [&](FtpSession& session) { return session.Put(localPath, remoteName, {}); });
}

FtpTransferResult FtpEngine::DownloadFileTo(const std::wstring& localPath, const FtpLogin& login,
                                            const std::wstring& folder, const std::wstring& remoteName)
{
    return InFolderAs(login, folder, remoteName,
                      [&](FtpSession& session) { return session.Get(remoteName, localPath, std::nullopt, true, {}); });
}

FtpTransferResult FtpEngine::InFolderAs(const FtpLogin& login, const std::wstring& folder,
                                        const std::wstring& remoteName,
                                        const std::function<FtpTransferResult(FtpSession&)>& transfer)
{
    if (!IsUsableEntryName(remoteName)) {
        m_failure = {};
        return {};
    }
    return TransferIn(login, folder, transfer);
}

FtpTransferResult FtpEngine::TransferIn(const FtpLogin& login, const std::wstring& folder,
                                        const std::function<FtpTransferResult(FtpSession&)>& transfer)
{
    FtpTransferResult result;
    OnSession(login, [&](FtpSession& session) {
        if (!Enter(session, folder))
            return false;
        result = Finished(transfer(session));
        return static_cast<bool>(result);
    });
    return result;
}
