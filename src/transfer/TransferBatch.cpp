#include "transfer/TransferBatch.h"

#include "framework/ScopedFlag.h"
#include "ftp/FtpPath.h"
#include "ftp/SafeLocalName.h"
#include "localpane/LocalPath.h"
#include "transfer/TransferPaths.h"

#include <algorithm>
#include <chrono>

namespace {

double SteadySeconds()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// The size and time a listing gives for one of its files, if it lists it.
std::optional<OverwriteSide> ListedFile(const FtpListing& listing, const std::wstring& name)
{
    for (std::size_t i = 0; i < listing.fileNames.size(); ++i)
        if (listing.fileNames[i] == name)
            return OverwriteSide{i < listing.fileSizes.size() ? std::optional<std::uint64_t>(listing.fileSizes[i])
                                                              : std::nullopt,
                                 i < listing.fileTimes.size() ? listing.fileTimes[i] : 0};
    return std::nullopt;
}

std::wstring LastPart(const std::wstring& path)
{
    const std::size_t cut = path.find_last_of(L"\\/");
    return cut == std::wstring::npos ? path : path.substr(cut + 1);
}

}  // namespace

TransferBatch::TransferBatch(FtpEngine& engine, LocalFiles& files, const ServerProfile& profile,
                             const FtpListing& shown, TransferEvents& events, Clock clock)
    : m_engine(engine),
      m_files(files),
      m_profile(profile),
      m_shown(shown),
      m_events(events),
      m_clock(clock ? std::move(clock) : Clock(SteadySeconds))
{
}

std::optional<FailureReport> TransferBatch::Upload(const std::wstring& localFolder, const std::vector<PaneRow>& rows)
{
    return Run([&](FailureReport&) { return PlanUpload(localFolder, rows); }, true,
               [this] { m_events.UploadRowDone(); });
}

std::optional<FailureReport> TransferBatch::Download(const std::wstring& localFolder,
                                                      const std::vector<PaneRow>& rows)
{
    return Run([&](FailureReport& report) { return PlanDownload(localFolder, rows, report); }, false,
               [&] { m_events.DownloadRowDone(localFolder); });
}

std::optional<FailureReport> TransferBatch::Run(const std::function<Plan(FailureReport&)>& plan, bool upload,
                                                const std::function<void()>& rowDone)
{
    if (m_busy)
        return std::nullopt;
    const ScopedFlag busy(m_busy);
    FailureReport report;
    const Plan rows = plan(report);
    std::optional<std::uint64_t> total = 0;
    for (const RowPlan& row : rows)
        for (const Item& item : row.items)
            total = total && item.size ? std::optional<std::uint64_t>(*total + *item.size) : std::nullopt;
    m_progress.Start(total, m_clock());
    m_targetListings.clear();
    OverwritePolicy policy;
    bool stopped = false;
    for (const RowPlan& row : rows) {
        for (const Item& item : row.items) {
            if (stopped || m_events.ShouldStop()) {
                stopped = true;
                report.AddNotTransferred(item.shown);
                continue;
            }
            const OverwriteDecision decision = DecideOverwrite(item, upload, policy);
            if (decision != OverwriteDecision::kTransfer) {
                m_progress.StartFile(LastPart(item.shown), item.size);
                m_progress.EndFile(0);
                stopped = decision == OverwriteDecision::kStop;
                if (stopped)
                    report.AddNotTransferred(item.shown);
                continue;
            }
            const FtpTransferResult result = Move(item, upload);
            if (result.status == FtpTransferStatus::kStopped) {
                stopped = true;
                report.AddNotTransferred(item.shown);
                if (result.partialLeft)
                    report.AddFailed(item.shown, m_engine.LastFailure());
            } else if (!result) {
                report.AddFailed(item.shown, m_engine.LastFailure());
            }
        }
        if (!stopped && row.takesPart && !m_events.ShouldStop())
            rowDone();
    }
    return report;
}

OverwriteDecision TransferBatch::DecideOverwrite(const Item& item, bool upload, OverwritePolicy& policy)
{
    const std::optional<OverwriteSide> existing = ExistingTarget(item, upload);
    if (!existing)
        return OverwriteDecision::kTransfer;
    const double asked = m_clock();
    const OverwriteDecision decision = policy.Decide([&] {
        return m_events.AskOverwrite({item.name, upload, *existing, {item.size, item.time}});
    });
    m_progress.Pause(m_clock() - asked);
    return decision;
}

std::optional<OverwriteSide> TransferBatch::ExistingTarget(const Item& item, bool upload)
{
    if (!upload) {
        const std::optional<LocalFileInfo> info = m_files.FileInfo(JoinLocal(item.localPath, item.name));
        if (!info)
            return std::nullopt;
        return OverwriteSide{info->size, info->time};
    }
    const FtpListing* listing = TargetListing(item.remoteFolder);
    return listing ? ListedFile(*listing, item.name) : std::nullopt;
}

const FtpListing* TransferBatch::TargetListing(const std::wstring& folder)
{
    if (folder == m_profile.folder)
        return &m_shown;
    const auto known = m_targetListings.find(folder);
    if (known != m_targetListings.end())
        return known->second ? &*known->second : nullptr;
    // A folder its parent's listing does not show is not there yet, and
    // nothing in it can be replaced: it costs no login of its own.
    std::wstring parent;
    std::wstring name;
    SplitFtpPath(folder, parent, name);
    // Target folders lie below the profile's folder; any other is listed.
    const bool below = folder.size() > m_profile.folder.size();
    const FtpListing* parentListing = below ? TargetListing(parent) : nullptr;
    std::optional<FtpListing>& listing = m_targetListings[folder];
    if (!below || (parentListing && std::find(parentListing->folderNames.begin(), parentListing->folderNames.end(),
                                              name) != parentListing->folderNames.end())) {
        listing.emplace();
        m_engine.ListFtpFolder(*listing, m_profile.login, folder);
    }
    return listing ? &*listing : nullptr;
}

FtpTransferResult TransferBatch::Move(const Item& item, bool upload)
{
    m_progress.StartFile(LastPart(item.shown), item.size);
    m_events.ShowProgress(m_progress, m_clock());
    const FtpBlockCallback blockDone = [this](std::uint64_t bytes) {
        m_progress.FileBytes(bytes);
        const double now = m_clock();
        if (m_progress.Due(now))
            m_events.ShowProgress(m_progress, now);
        return !m_events.ShouldStop();
    };
    FtpTransferResult result;
    if (upload) {
        result = m_engine.UploadFile(item.localPath, m_profile.login, item.remoteFolder, blockDone);
    } else {
        if (!m_files.Exists(item.localPath))
            CreateLocalPath(m_files, item.localPath);
        result = m_engine.DownloadFile(item.localPath, m_profile.login, item.remoteFolder, item.name, item.size,
                                       blockDone);
    }
    m_progress.EndFile(result.bytes);
    m_events.ShowProgress(m_progress, m_clock());
    return result;
}

TransferBatch::Plan TransferBatch::PlanUpload(const std::wstring& localFolder, const std::vector<PaneRow>& rows)
{
    Plan plan;
    const auto add = [&](RowPlan& row, const std::wstring& file, const std::wstring& remoteFolder) {
        const std::optional<LocalFileInfo> info = m_files.FileInfo(file);
        row.items.push_back({file, file, remoteFolder, RemoteNameOfLocalPath(file),
                             info ? std::optional<std::uint64_t>(info->size) : std::nullopt, info ? info->time : 0});
    };
    for (const PaneRow& row : rows) {
        RowPlan& planned = plan.emplace_back();
        const std::wstring path = JoinLocal(localFolder, row.name);
        if (row.kind == RowKind::File) {
            add(planned, path, m_profile.folder);
        } else if (row.kind == RowKind::Folder) {
            m_events.ShowTransferring(path);
            for (const std::wstring& file : m_files.CollectFilesRecursive(path))
                add(planned, file, RemoteTargetFolder(m_profile.folder, RemoteSubFolder(localFolder, file)));
        } else {
            planned.takesPart = false;
        }
    }
    return plan;
}

TransferBatch::Plan TransferBatch::PlanDownload(const std::wstring& localFolder, const std::vector<PaneRow>& rows,
                                                FailureReport& report)
{
    Plan plan;
    for (const PaneRow& row : rows) {
        RowPlan& planned = plan.emplace_back();
        const std::wstring remotePath = JoinFtpPath(m_profile.folder, row.name);
        if (row.kind == RowKind::Parent) {
            planned.takesPart = false;
        } else if (localFolder.empty()) {
            // Before any folder was chosen the target would be the root of
            // the current drive.
            planned.takesPart = false;
            report.AddFailed(remotePath);
        } else if (row.kind == RowKind::File) {
            if (!IsSafeLocalName(row.name)) {
                report.AddFailed(remotePath, FailureOfKind(FtpFailureKind::kNotLocalName));
                continue;
            }
            const std::optional<OverwriteSide> listed = ListedFile(m_shown, row.name);
            planned.items.push_back({remotePath, localFolder, m_profile.folder, row.name,
                                     listed ? listed->size : std::nullopt, listed ? listed->time : 0});
        } else if (row.kind == RowKind::Folder) {
            PlanDownloadTree(localFolder, remotePath, planned, report);
        }
    }
    return plan;
}

void TransferBatch::PlanDownloadTree(const std::wstring& localFolder, const std::wstring& remoteFolder, RowPlan& row,
                                     FailureReport& report)
{
    m_events.ShowTransferring(remoteFolder);
    FtpListing tree;
    m_engine.EnumerateFtpTree(tree, m_profile.login, remoteFolder);
    report.AddTreeWalk(tree);
    for (std::size_t i = 0; i < tree.fileNames.size(); ++i) {
        const std::wstring& remotePath = tree.fileNames[i];
        std::wstring folder;
        std::wstring name;
        SplitFtpPath(remotePath, folder, name);
        const std::wstring relative = RelativeToFtpFolder(m_profile.folder, remotePath);
        // A server may name a folder "CON" or "a:b" anywhere in the tree: such
        // a file is never written, nor is any folder made for it.
        if (!IsSafeLocalRelativePath(relative)) {
            report.AddFailed(remotePath, FailureOfKind(FtpFailureKind::kNotLocalName));
            continue;
        }
        row.items.push_back({remotePath, JoinLocalSubFolder(localFolder, LocalSubFolder(relative)), folder, name,
                             i < tree.fileSizes.size() ? std::optional<std::uint64_t>(tree.fileSizes[i]) : std::nullopt,
                             i < tree.fileTimes.size() ? tree.fileTimes[i] : 0});
    }
}

bool TransferBatch::CreateLocalPath(LocalFiles& files, const std::wstring& path)
{
    const std::vector<std::wstring> folders = FoldersToCreate(path);
    for (const std::wstring& folder : folders)
        if (!files.Exists(folder))
            files.CreateFolder(folder);
    return files.Exists(folders.empty() ? CollapseDoubledBackslashes(path) : folders.back());
}
