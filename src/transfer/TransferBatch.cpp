#include "transfer/TransferBatch.h"

#include "framework/ScopedFlag.h"
#include "ftp/FtpPath.h"
#include "ftp/SafeLocalName.h"
#include "localpane/LocalPath.h"
#include "transfer/TransferPaths.h"

TransferBatch::TransferBatch(FtpEngine& engine, LocalFiles& files, const ServerProfile& profile, FtpListing& work,
                             TransferEvents& events)
    : m_engine(engine), m_files(files), m_profile(profile), m_work(work), m_events(events)
{
}

std::optional<FailureReport> TransferBatch::RunRows(const std::vector<PaneRow>& rows,
                                                     const std::function<bool(const PaneRow&, FailureReport&)>& transfer,
                                                     const std::function<void()>& rowDone)
{
    if (m_busy)
        return std::nullopt;
    const ScopedFlag busy(m_busy);
    FailureReport report;
    for (const PaneRow& row : rows) {
        if (m_events.ShouldStop())
            break;
        if (row.kind == RowKind::Parent || !transfer(row, report))
            continue;
        if (m_events.ShouldStop())
            break;
        rowDone();
    }
    return report;
}

std::optional<FailureReport> TransferBatch::Upload(const std::wstring& localFolder,
                                                    const std::vector<PaneRow>& rows)
{
    const auto transfer = [&](const PaneRow& row, FailureReport& report) {
        const std::wstring path = JoinLocal(localFolder, row.name);
        if (row.kind == RowKind::File) {
            m_events.ShowTransferring(path);
            if (!m_engine.UploadFile(path, m_profile.login, m_profile.folder))
                report.AddFailed(path, m_engine.LastFailure());
        } else if (row.kind == RowKind::Folder) {
            UploadFolder(localFolder, path, report);
        }
        return true;
    };
    return RunRows(rows, transfer, [this] { m_events.UploadRowDone(); });
}

void TransferBatch::UploadFolder(const std::wstring& localFolder, const std::wstring& folderPath,
                                 FailureReport& report)
{
    for (const std::wstring& file : m_files.CollectFilesRecursive(folderPath)) {
        if (m_events.ShouldStop())
            return;
        const std::wstring subFolder = RemoteSubFolder(localFolder, file);
        m_events.ShowTransferring(subFolder);
        if (!m_engine.UploadFile(file, m_profile.login, RemoteTargetFolder(m_profile.folder, subFolder)))
            report.AddFailed(file, m_engine.LastFailure());
    }
}

std::optional<FailureReport> TransferBatch::Download(const std::wstring& localFolder,
                                                      const std::vector<PaneRow>& rows)
{
    const auto transfer = [&](const PaneRow& row, FailureReport& report) {
        const std::wstring remotePath = JoinFtpPath(m_profile.folder, row.name);
        // Before any folder was chosen the target would be the root of the
        // current drive.
        if (localFolder.empty()) {
            report.AddFailed(remotePath);
            return false;
        }
        if (row.kind == RowKind::File) {
            m_events.ShowTransferring(remotePath);
            if (!IsSafeLocalName(row.name))
                report.AddFailed(remotePath);
            else if (!m_engine.DownloadFile(localFolder, m_profile.login, m_profile.folder, row.name))
                report.AddFailed(remotePath, m_engine.LastFailure());
        } else if (row.kind == RowKind::Folder) {
            DownloadFolder(localFolder, remotePath, report);
        }
        return true;
    };
    return RunRows(rows, transfer, [&] { m_events.DownloadRowDone(localFolder); });
}

void TransferBatch::DownloadFolder(const std::wstring& localFolder, const std::wstring& remoteFolder,
                                   FailureReport& report)
{
    m_engine.EnumerateFtpTree(m_work, m_profile.login, remoteFolder);
    report.AddTreeWalk(m_work);
    // A copy: the work listing may be refilled while uploads let messages through.
    const std::vector<std::wstring> files = m_work.fileNames;
    for (const std::wstring& file : files) {
        if (m_events.ShouldStop())
            return;
        DownloadTreeFile(localFolder, file, report);
    }
}

void TransferBatch::DownloadTreeFile(const std::wstring& localFolder, const std::wstring& remotePath,
                                     FailureReport& report)
{
    std::wstring remoteFolder;
    std::wstring name;
    SplitFtpPath(remotePath, remoteFolder, name);
    const std::wstring relative = RelativeToFtpFolder(m_profile.folder, remotePath);
    // A server may name a folder "CON" or "a:b" anywhere in the tree: such a
    // file is never written, nor is any folder made for it.
    if (!IsSafeLocalRelativePath(relative)) {
        report.AddFailed(remotePath);
        return;
    }
    const std::wstring target = JoinLocalSubFolder(localFolder, LocalSubFolder(relative));
    if (!m_files.Exists(target))
        CreateLocalPath(m_files, target);
    m_events.ShowTransferring(remoteFolder);
    if (!m_engine.DownloadFile(target, m_profile.login, remoteFolder, name))
        report.AddFailed(remotePath, m_engine.LastFailure());
}

bool TransferBatch::CreateLocalPath(LocalFiles& files, const std::wstring& path)
{
    const std::vector<std::wstring> folders = FoldersToCreate(path);
    for (const std::wstring& folder : folders)
        if (!files.Exists(folder))
            files.CreateFolder(folder);
    return files.Exists(folders.empty() ? CollapseDoubledBackslashes(path) : folders.back());
}
