#include "ftp/FtpEngine.h"

#include "ftp/FtpPath.h"
#include "ftp/SafeLocalName.h"

#include <vector>

namespace {

// Reads the whole listing of the session's current directory, keeping only
// entries whose names can stand for an entry of that directory. Names that
// hold "/" or "\" name no entry of it; they go to `unusable` when it is given.
// The time of a ".." entry goes to parentTime when asked for.
bool ReadLevel(FtpSession& session, std::vector<FtpFindEntry>& entries, std::vector<std::wstring>* unusable = nullptr,
               std::uint64_t* parentTime = nullptr)
{
    FtpFindEntry entry;
    const FtpFindStatus status = session.FindFirst(entry);
    if (status == FtpFindStatus::kEmpty)
        return true;
    if (status == FtpFindStatus::kFailed)
        return false;
    do {
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

}  // namespace

FtpEngine::FtpEngine(FtpPrimitives& ftp, int maxTreeFolders) : m_ftp(ftp), m_maxTreeFolders(maxTreeFolders) {}

std::unique_ptr<FtpSession> FtpEngine::Open(const FtpServerAddress& address, const FtpLogin& login)
{
    if (!address.valid) {
        m_failure = {FtpFailureKind::kSystem, kInternetInvalidUrl, std::wstring(), true};
        return nullptr;
    }
    std::unique_ptr<FtpSession> session = m_modes.Open(address, login.user, login.password, login.mode);
    if (!session) {
        Fail();
        m_failure.atLogin = true;
    }
    return session;
}

std::unique_ptr<FtpSession> FtpEngine::OpenIn(const FtpLogin& login, const std::wstring& folder)
{
    std::unique_ptr<FtpSession> session = Open(ParseServerName(login.serverName), login);
    if (session && !folder.empty() && !session->ChangeDir(folder)) {
        Fail();
        session.reset();
    }
    return session;
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

bool FtpEngine::ListFtpFolder(FtpListing& listing, const FtpLogin& login, const std::wstring& folder)
{
    listing.Clear();
    std::vector<FtpFindEntry> entries;
    {
        const std::unique_ptr<FtpSession> session = OpenIn(login, folder);
        if (!session)
            return false;
        if (!ReadLevel(*session, entries, nullptr, &listing.parentTime))
            return Fail();
    }
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

FtpBlockCallback FtpEngine::Pumping(const FtpBlockCallback& blockDone)
{
    return [this, &blockDone](std::uint64_t bytes) {
        m_ftp.PumpPendingMessages();
        return !blockDone || blockDone(bytes);
    };
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
    std::unique_ptr<FtpSession> session = Open(ParseServerName(login.serverName), login);
    if (!session)
        return {};
    // The common cases cost one command: the folder exists, or only its last
    // level is missing. Deeper gaps get every level created.
    if (!folder.empty() && !session->ChangeDir(folder)) {
        if (!session->MakeDir(folder))
            CreateLevels(*session, folder);
        if (!session->ChangeDir(folder)) {
            Fail();
            return {};
        }
    }
    m_ftp.PumpPendingMessages();
    const FtpTransferResult result = Finished(session->Put(localPath, remoteName, Pumping(blockDone)));
    session.reset();
    if (result)
        m_ftp.PumpPendingMessages();
    return result;
}

void FtpEngine::CreateFtpFolderPath(const FtpLogin& login, const std::wstring& path)
{
    const std::unique_ptr<FtpSession> session = Open(ParseServerName(login.serverName), login);
    if (session)
        CreateLevels(*session, path);
}

FtpTransferResult FtpEngine::DownloadFile(const std::wstring& localFolder, const FtpLogin& login,
                                          const std::wstring& folder, const std::wstring& fileName,
                                          std::optional<std::uint64_t> listedSize, const FtpBlockCallback& blockDone)
{
    if (!IsSafeLocalRelativePath(fileName)) {
        m_failure = {};
        return {};
    }
    const std::unique_ptr<FtpSession> session = OpenIn(login, folder);
    if (!session)
        return {};
    return Finished(session->Get(fileName, LocalTarget(localFolder, fileName), listedSize, Pumping(blockDone)));
}

bool FtpEngine::EnumerateFtpTree(FtpListing& listing, const FtpLogin& login, const std::wstring& folder)
{
    listing.Clear();
    TreeWalk walk;
    WalkLevel(ParseServerName(login.serverName), login, folder, 0, listing, walk);
    return !listing.fileNames.empty() || !listing.folderNames.empty();
}

void FtpEngine::WalkLevel(const FtpServerAddress& address, const FtpLogin& login, const std::wstring& folder,
                          int depth, FtpListing& listing, TreeWalk& walk)
{
    ++walk.foldersListed;
    std::vector<FtpFindEntry> entries;
    std::vector<std::wstring> unusable;
    {
        const std::unique_ptr<FtpSession> session = Open(address, login);
        const bool entered = session && (folder.empty() || session->ChangeDir(folder));
        if (!entered || !ReadLevel(*session, entries, &unusable)) {
            if (session)
                Fail();
            listing.unlistedFolders.push_back(folder);
            listing.unlistedReasons.push_back(m_failure);
            return;
        }
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
            WalkLevel(address, login, path, depth + 1, listing, walk);
        }
    }
}

bool FtpEngine::CreateFtpFolder(const FtpLogin& login, const std::wstring& path)
{
    const std::unique_ptr<FtpSession> session = Open(ParseServerName(login.serverName), login);
    if (!session)
        return false;
    return path.empty() || session->ChangeDir(path) || session->MakeDir(path) || Fail();
}

bool FtpEngine::DeleteFtpFile(const FtpLogin& login, const std::wstring& folder, const std::wstring& name)
{
    if (name.empty()) {
        m_failure = {};
        return false;
    }
    const std::unique_ptr<FtpSession> session = OpenIn(login, folder);
    return session && (session->Delete(name) || Fail());
}

bool FtpEngine::RemoveFtpFolder(const FtpLogin& login, const std::wstring& folder, const std::wstring& name)
{
    if (name.empty()) {
        m_failure = {};
        return false;
    }
    const std::unique_ptr<FtpSession> session = OpenIn(login, folder);
    return session && (session->RemoveDir(name) || Fail());
}

FtpRenameOutcome FtpEngine::RenameFtpEntry(const FtpLogin& login, const std::wstring& folder,
                                          const std::wstring& from, const std::wstring& to, std::wstring& reason)
{
    reason.clear();
    if (!IsUsableEntryName(from) || !IsUsableEntryName(to))
        return FtpRenameOutcome::kFailed;
    const std::unique_ptr<FtpSession> session = OpenIn(login, folder);
    std::vector<FtpFindEntry> entries;
    if (!session || !ReadLevel(*session, entries))
        return FtpRenameOutcome::kFailed;
    // Some servers replace an existing target without a word. Names that
    // differ only in case count as taken too: on a server that ignores case
    // they are one entry. The entry itself may change its case.
    for (const FtpFindEntry& entry : entries)
        if (entry.name != from && SameNameIgnoringCase(entry.name, to))
            return FtpRenameOutcome::kNameExists;
    return session->Rename(from, to, reason) ? FtpRenameOutcome::kRenamed : FtpRenameOutcome::kFailed;
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
    } else if (!removed) {
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
            SplitFtpPath(path, parent, entry);
            report(path);
            note(DeleteFtpFile(login, parent, entry));
        }
        for (auto it = work.folderNames.rbegin(); it != work.folderNames.rend(); ++it) {
            SplitFtpPath(*it, parent, entry);
            report(*it);
            note(RemoveFtpFolder(login, parent, entry));
        }
        removed = RemoveFtpFolder(login, folder, name);
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
                      [&](FtpSession& session) { return session.Get(remoteName, localPath, std::nullopt, {}); });
}

FtpTransferResult FtpEngine::InFolderAs(const FtpLogin& login, const std::wstring& folder,
                                        const std::wstring& remoteName,
                                        const std::function<FtpTransferResult(FtpSession&)>& transfer)
{
    if (!IsUsableEntryName(remoteName)) {
        m_failure = {};
        return {};
    }
    const std::unique_ptr<FtpSession> session = OpenIn(login, folder);
    if (!session)
        return {};
    return Finished(transfer(*session));
}
