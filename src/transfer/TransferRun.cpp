#include "transfer/TransferRun.h"

#include "ftp/FtpPath.h"
#include "ftp/SafeLocalName.h"
#include "localpane/LocalPath.h"
#include "transfer/TransferPaths.h"

#include <algorithm>
#include <set>
#include <system_error>
#include <thread>

namespace {

// The size and time a listing gives for one of its files, if it lists it.
// Many servers ignore case: a name that differs only in case is the file.
std::optional<OverwriteSide> ListedFile(const FtpListing& listing, const std::wstring& name, bool anyCase)
{
    for (std::size_t i = 0; i < listing.fileNames.size(); ++i)
        if (listing.fileNames[i] == name || (anyCase && SameNameIgnoringCase(listing.fileNames[i], name)))
            return OverwriteSide{i < listing.fileSizes.size() ? std::optional<std::uint64_t>(listing.fileSizes[i])
                                                              : std::nullopt,
                                 i < listing.fileTimes.size() ? listing.fileTimes[i] : 0};
    return std::nullopt;
}

bool ListsFolder(const FtpListing& listing, const std::wstring& name)
{
    for (const std::wstring& folder : listing.folderNames)
        if (SameNameIgnoringCase(folder, name))
            return true;
    return false;
}

std::wstring LastPart(const std::wstring& path)
{
    const std::size_t cut = path.find_last_of(L"\\/");
    return cut == std::wstring::npos ? path : path.substr(cut + 1);
}

}  // namespace

TransferRun::TransferRun(FtpJobContext& context, LocalFiles& files, TransferEvents& events,
                         const ServerProfile& profile, TransferBatch::Clock clock)
    : m_context(context), m_files(files), m_events(events), m_profile(profile), m_clock(std::move(clock))
{
}

FailureReport TransferRun::Upload(const std::wstring& localFolder, const std::vector<PaneRow>& rows)
{
    std::vector<PaneRow> entries;
    for (const PaneRow& row : rows)
        entries.push_back({JoinLocal(localFolder, row.name), row.kind});
    return UploadEntries(entries, m_profile.folder);
}

FailureReport TransferRun::UploadPaths(const std::vector<std::wstring>& paths, const std::wstring& remoteFolder)
{
    std::vector<PaneRow> entries;
    for (const std::wstring& path : paths)
        entries.push_back({path, m_files.FileInfo(path) || !m_files.Exists(path) ? RowKind::File : RowKind::Folder});
    return UploadEntries(entries, remoteFolder);
}

FailureReport TransferRun::UploadEntries(const std::vector<PaneRow>& entries, const std::wstring& remoteFolder)
{
    m_upload = true;
    FailureReport report;
    const FtpEngine& engine = m_context.Engine();
    for (std::size_t r = 0; r < entries.size(); ++r) {
        const PaneRow& entry = entries[r];
        const std::wstring& path = entry.name;
        m_rowTakesPart.push_back(entry.kind == RowKind::File || entry.kind == RowKind::Folder);
        const auto add = [&](const std::wstring& file, const std::wstring& targetFolder) {
            // Names that would reach the server altered could meet as one
            // file there: such a file stays here, with no folder made for it.
            const std::wstring name = RemoteNameOfLocalPath(file);
            if (!engine.CanSendName(JoinFtpPath(targetFolder, name))) {
                report.AddFailed(file, FailureOfKind(FtpFailureKind::kNotServerName));
                return;
            }
            const std::optional<LocalFileInfo> info = m_files.FileInfo(file);
            m_items.push_back({file, file, targetFolder, name,
                               info ? std::optional<std::uint64_t>(info->size) : std::nullopt, info ? info->time : 0,
                               r});
        };
        if (entry.kind == RowKind::File) {
            add(path, remoteFolder);
        } else if (entry.kind == RowKind::Folder) {
            m_context.Post([events = &m_events, path] { events->ShowTransferring(path); });
            const std::wstring localFolder = ParentLocalFolder(path).value_or(std::wstring());
            std::vector<std::wstring> links;
            for (const std::wstring& file : m_files.CollectFilesRecursive(path, links))
                add(file, RemoteTargetFolder(remoteFolder, RemoteSubFolder(localFolder, file)));
            report.AddUnlistedFolders(links, std::vector<FtpFailure>(links.size(),
                                                                     FailureOfKind(FtpFailureKind::kLinkNotFollowed)));
        }
    }
    return Run(std::move(report), entries.size());
}

FailureReport TransferRun::Download(const FtpListing& shown, const std::wstring& localFolder,
                                    const std::vector<PaneRow>& rows)
{
    m_upload = false;
    m_localFolder = localFolder;
    FailureReport report;
    FtpEngine& engine = m_context.Engine();
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const PaneRow& row = rows[r];
        const std::wstring remotePath = JoinFtpPath(m_profile.folder, row.name);
        m_rowTakesPart.push_back(row.kind != RowKind::Parent && !localFolder.empty());
        if (row.kind == RowKind::Parent || m_context.StopRequested()) {
            continue;
        } else if (localFolder.empty()) {
            // Before any folder was chosen the target would be the root of
            // the current drive.
            report.AddFailed(remotePath);
        } else if (row.kind == RowKind::File) {
            if (!IsSafeLocalName(row.name)) {
                report.AddFailed(remotePath, FailureOfKind(FtpFailureKind::kNotLocalName));
                continue;
            }
            const std::optional<OverwriteSide> listed = ListedFile(shown, row.name, false);
            m_items.push_back({remotePath, localFolder, m_profile.folder, row.name,
                               listed ? listed->size : std::nullopt, listed ? listed->time : 0, r});
        } else if (row.kind == RowKind::Folder) {
            m_context.Post([events = &m_events, remotePath] { events->ShowTransferring(remotePath); });
            FtpListing tree;
            engine.EnumerateFtpTree(tree, m_profile.login, remotePath);
            report.AddTreeWalk(tree);
            for (std::size_t i = 0; i < tree.fileNames.size(); ++i) {
                const std::wstring& path = tree.fileNames[i];
                std::wstring folder;
                std::wstring name;
                SplitFtpPath(path, folder, name);
                const std::wstring relative = RelativeToFtpFolder(m_profile.folder, path);
                // A server may name a folder "CON" or "a:b" anywhere in the
                // tree: such a file is never written, nor is any folder made for it.
                if (!IsSafeLocalRelativePath(relative)) {
                    report.AddFailed(path, FailureOfKind(FtpFailureKind::kNotLocalName));
                    continue;
                }
                m_items.push_back({path, JoinLocalSubFolder(localFolder, LocalSubFolder(relative)), folder, name,
                                   i < tree.fileSizes.size() ? std::optional<std::uint64_t>(tree.fileSizes[i])
                                                             : std::nullopt,
                                   i < tree.fileTimes.size() ? tree.fileTimes[i] : 0, r});
            }
        }
    }
    return Run(std::move(report), rows.size());
}

FailureReport TransferRun::Run(FailureReport report, std::size_t rows)
{
    std::optional<std::uint64_t> total = 0;
    m_rowRemaining.assign(rows, 0);
    for (const Item& item : m_items) {
        total = total && item.size ? std::optional<std::uint64_t>(*total + *item.size) : std::nullopt;
        ++m_rowRemaining[item.row];
    }
    m_results.assign(m_items.size(), Result());
    m_progress.Start(total, m_clock());
    FtpEngine& first = m_context.Engine();
    if (m_upload && !m_items.empty() && !m_context.StopRequested())
        CreateTargetFolders(first);

    m_lanes = static_cast<int>(std::min<std::size_t>(
        std::clamp(m_profile.connections, kMinConnections, kMaxConnections), std::max<std::size_t>(m_items.size(), 1)));
    // The first session logs in before the others try, so that a server
    // with a limit of logins keeps the batch going on it.
    if (m_lanes > 1 && !first.Connect(m_profile.login))
        m_lanes = 1;
    std::vector<FtpEngine*> more = m_context.MoreEngines(m_lanes - 1);
    std::vector<std::thread> lanes;
    for (std::size_t i = 0; i < more.size(); ++i) {
        try {
            lanes.emplace_back(&TransferRun::Lane, this, static_cast<int>(i + 1), std::ref(*more[i]));
        } catch (const std::system_error&) {
            break;
        }
    }
    Lane(0, first);
    for (std::thread& lane : lanes)
        lane.join();

    // Rows without files (an empty folder) are done once the others are.
    for (std::size_t r = 0; r < rows; ++r)
        if (m_rowTakesPart[r] && m_rowRemaining[r] == 0 && !m_stopped &&
            std::none_of(m_items.begin(), m_items.end(), [r](const Item& item) { return item.row == r; }))
            RowDone(r, first);

    int moved = 0;
    int skipped = 0;
    for (const Result& result : m_results) {
        moved += result.outcome == Outcome::kDone;
        skipped += result.outcome == Outcome::kSkipped;
    }
    report.SetMoved(moved, skipped);
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        const Result& result = m_results[i];
        if (result.outcome == Outcome::kNotTransferred || result.outcome == Outcome::kPending)
            report.AddNotTransferred(m_items[i].shown);
        if (result.outcome == Outcome::kFailed)
            report.AddFailed(m_items[i].shown, result.reason);
        // The part an upload left behind is named, for a stop and a failure alike.
        if (!result.partLeft.empty())
            report.AddFailed(result.partLeft, FailureOfKind(FtpFailureKind::kPartialLeft));
    }
    return report;
}

void TransferRun::CreateTargetFolders(FtpEngine& engine)
{
    // Every folder of the tree below the profile's folder, parents first.
    std::set<std::wstring> folders;
    for (const Item& item : m_items)
        for (std::wstring folder = item.remoteFolder;
             folder.size() > m_profile.folder.size() && folders.insert(folder).second;) {
            std::wstring parent;
            std::wstring name;
            SplitFtpPath(folder, parent, name);
            folder = parent;
        }
    std::vector<std::wstring> ordered(folders.begin(), folders.end());
    std::stable_sort(ordered.begin(), ordered.end(), [](const std::wstring& a, const std::wstring& b) {
        return std::count(a.begin(), a.end(), L'/') < std::count(b.begin(), b.end(), L'/');
    });
    std::vector<std::wstring> missing;
    for (const std::wstring& folder : ordered)
        if (!TargetListing(folder, engine))
            missing.push_back(folder);
    if (missing.empty())
        return;
    engine.CreateFtpFolders(m_profile.login, missing);
    // New folders hold nothing that could be replaced.
    for (const std::wstring& folder : missing)
        m_targetListings[folder] = FtpFolderResult{true, FtpListing(), FtpFailure()};
}

void TransferRun::Lane(int lane, FtpEngine& engine)
{
    // A further session logs in before it takes a file: a login the server
    // refuses (a limit of logins) leaves the files to the sessions there are.
    if (lane > 0 && !engine.Connect(m_profile.login)) {
        int sessions = 0;
        {
            const std::lock_guard<std::mutex> guard(m_lock);
            sessions = --m_lanes;
        }
        m_context.Post([events = &m_events, sessions] { events->FewerSessions(sessions); });
        return;
    }
    std::size_t index = 0;
    while (TakeNext(index)) {
        const Item& item = m_items[index];
        Result result;
        OverwriteDecision decision = OverwriteDecision::kStop;
        if (!m_stopped && !m_context.StopRequested())
            decision = Decide(item, engine, result);
        if (decision == OverwriteDecision::kStop || result.outcome == Outcome::kFailed) {
            if (decision == OverwriteDecision::kStop) {
                result.outcome = Outcome::kNotTransferred;
                m_stopped = true;
            }
            Finish(index, result, engine);
            continue;
        }
        if (decision == OverwriteDecision::kSkip) {
            result.outcome = Outcome::kSkipped;
            const std::lock_guard<std::mutex> guard(m_lock);
            m_progress.StartFile(LastPart(item.shown), item.size, lane);
            m_progress.EndFile(0, lane);
        } else {
            const FtpTransferResult moved = Move(item, engine, lane, result.replaces);
            if (!moved && engine.LastFailure().atLogin && HandBack(index)) {
                // A further login the server refused (a limit of logins):
                // the file goes to the lanes that have one.
                return;
            }
            if (moved.status == FtpTransferStatus::kStopped) {
                result.outcome = Outcome::kNotTransferred;
                m_stopped = true;
            } else {
                result.outcome = moved ? Outcome::kDone : Outcome::kFailed;
            }
            if (moved.partialLeft)
                result.partLeft = JoinFtpPath(item.remoteFolder, moved.partialName);
            if (!moved)
                result.reason = engine.LastFailure();
        }
        Finish(index, result, engine);
    }
}

bool TransferRun::HandBack(std::size_t index)
{
    int sessions = 0;
    {
        const std::lock_guard<std::mutex> guard(m_lock);
        // The last lane's refused login is the file's failure.
        if (m_lanes <= 1)
            return false;
        m_handedBack.push_front(index);
        sessions = --m_lanes;
    }
    m_context.Post([events = &m_events, sessions] { events->FewerSessions(sessions); });
    return true;
}

bool TransferRun::TakeNext(std::size_t& index)
{
    std::unique_lock<std::mutex> lock(m_lock);
    m_questionClosed.wait(lock, [this] { return !m_questionOpen; });
    if (!m_handedBack.empty()) {
        index = m_handedBack.front();
        m_handedBack.pop_front();
        return true;
    }
    if (m_next >= m_items.size())
        return false;
    index = m_next++;
    return true;
}

OverwriteDecision TransferRun::Decide(const Item& item, FtpEngine& engine, Result& result)
{
    const Target target = ExistingTarget(item, engine);
    // A listing that a stop ended is no failure of the file: it was not transferred.
    if (target.unknown && m_context.StopRequested())
        return OverwriteDecision::kStop;
    if (target.unknown) {
        // Without a listing, a file there could be replaced unasked.
        result.outcome = Outcome::kFailed;
        result.reason = *target.unknown;
        return OverwriteDecision::kSkip;
    }
    result.replaces = target.existing.has_value();
    if (!target.existing)
        return OverwriteDecision::kTransfer;
    const std::lock_guard<std::mutex> oneAtATime(m_questions);
    // Cancelled in the question another lane asked meanwhile.
    if (m_stopped || m_context.StopRequested())
        return OverwriteDecision::kStop;
    const double asked = m_clock();
    const OverwriteDecision decision = m_policy.Decide([&] {
        {
            const std::lock_guard<std::mutex> guard(m_lock);
            m_questionOpen = true;
        }
        OverwriteChoice choice = OverwriteChoice::kCancel;
        const OverwriteQuestion question{item.name, m_upload, *target.existing, {item.size, item.time}};
        TransferEvents* events = &m_events;
        if (!m_context.Ask([events, question, &choice] { choice = events->AskOverwrite(question); }))
            choice = OverwriteChoice::kCancel;
        {
            const std::lock_guard<std::mutex> guard(m_lock);
            m_questionOpen = false;
            m_progress.Pause(m_clock() - asked);
        }
        m_questionClosed.notify_all();
        return choice;
    });
    return decision;
}

TransferRun::Target TransferRun::ExistingTarget(const Item& item, FtpEngine& engine)
{
    Target target;
    const std::lock_guard<std::mutex> guard(m_lock);
    if (!m_upload) {
        const std::optional<LocalFileInfo> info = m_files.FileInfo(JoinLocal(item.localPath, item.name));
        if (info)
            target.existing = OverwriteSide{info->size, info->time};
        return target;
    }
    const FtpFolderResult* listing = TargetListing(item.remoteFolder, engine);
    if (listing && !listing->listed)
        target.unknown = listing->failure;
    else if (listing)
        target.existing = ListedFile(listing->listing, item.name, true);
    return target;
}

const FtpFolderResult* TransferRun::TargetListing(const std::wstring& folder, FtpEngine& engine)
{
    const auto known = m_targetListings.find(folder);
    if (known != m_targetListings.end())
        return known->second ? &*known->second : nullptr;
    // A folder its parent's listing does not show is not there yet, and
    // nothing in it can be replaced: it costs no listing of its own.
    std::wstring parent;
    std::wstring name;
    SplitFtpPath(folder, parent, name);
    const bool below = folder.size() > m_profile.folder.size();
    const FtpFolderResult* parentListing = below ? TargetListing(parent, engine) : nullptr;
    std::optional<FtpFolderResult>& listing = m_targetListings[folder];
    if (!below || (parentListing && (!parentListing->listed || ListsFolder(parentListing->listing, name)))) {
        listing.emplace();
        listing->listed = engine.ListFtpFolder(listing->listing, m_profile.login, folder);
        listing->failure = engine.LastFailure();
    }
    return listing ? &*listing : nullptr;
}

FtpTransferResult TransferRun::Move(const Item& item, FtpEngine& engine, int lane, bool replace)
{
    {
        std::unique_lock<std::mutex> lock(m_lock);
        m_questionClosed.wait(lock, [this] { return !m_questionOpen; });
        m_progress.StartFile(LastPart(item.shown), item.size, lane);
        PostProgress(true);
        if (!m_upload && !m_files.Exists(item.localPath))
            TransferBatch::CreateLocalPath(m_files, item.localPath);
    }
    const FtpBlockCallback blockDone = [this, lane](std::uint64_t bytes) {
        const std::lock_guard<std::mutex> guard(m_lock);
        m_progress.FileBytes(bytes, lane);
        PostProgress(false);
        return !m_stopped && !m_context.StopRequested();
    };
    const FtpTransferResult result =
        m_upload ? engine.UploadFile(item.localPath, m_profile.login, item.remoteFolder, blockDone)
                 : engine.DownloadFile(item.localPath, m_profile.login, item.remoteFolder, item.name, item.size,
                                       replace, blockDone);
    const std::lock_guard<std::mutex> guard(m_lock);
    m_progress.EndFile(result.bytes, lane);
    PostProgress(true);
    return result;
}

void TransferRun::PostProgress(bool force)
{
    const double now = m_clock();
    if (!m_progress.Due(now) && !force)
        return;
    m_context.Post([events = &m_events, progress = m_progress, now] { events->ShowProgress(progress, now); });
}

void TransferRun::Finish(std::size_t index, const Result& result, FtpEngine& engine)
{
    bool rowEnds = false;
    const std::size_t row = m_items[index].row;
    {
        const std::lock_guard<std::mutex> guard(m_lock);
        m_results[index] = result;
        rowEnds = --m_rowRemaining[row] == 0 && !m_stopped;
    }
    if (rowEnds && !m_context.StopRequested())
        RowDone(row, engine);
}

void TransferRun::RowDone(std::size_t row, FtpEngine& engine)
{
    (void)row;
    if (m_upload) {
        FtpFolderResult listing;
        listing.listed = engine.ListFtpFolder(listing.listing, m_profile.login, m_profile.folder);
        listing.failure = engine.LastFailure();
        m_context.Post([events = &m_events, folder = m_profile.folder, listing] {
            events->UploadRowDone(folder, listing);
        });
    } else {
        m_context.Post([events = &m_events, folder = m_localFolder] { events->DownloadRowDone(folder); });
    }
}
