#include "transfer/TransferBatch.h"

#include "localpane/LocalPath.h"
#include "transfer/TransferPaths.h"
#include "transfer/TransferRun.h"

#include <chrono>

namespace {

double SteadySeconds()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

}  // namespace

TransferBatch::TransferBatch(FtpJobs& jobs, LocalFiles& files, TransferEvents& events, Clock clock)
    : m_jobs(jobs), m_files(files), m_events(events), m_clock(clock ? std::move(clock) : Clock(SteadySeconds))
{
}

bool TransferBatch::Upload(const ServerProfile& profile, const std::wstring& localFolder,
                           const std::vector<PaneRow>& rows)
{
    return m_jobs.Start(FtpWorkKind::kTransfer, [this, profile, localFolder, rows](FtpJobContext& context) -> FtpApply {
        TransferRun run(context, m_files, m_events, profile, m_clock);
        const FailureReport report = run.Upload(localFolder, rows);
        const bool stopped = context.StopRequested() || report.WasStopped();
        return [this, report, stopped] { m_events.BatchEnded(report, true, stopped); };
    }, [this] { m_events.BatchGivenUp(true); });
}

bool TransferBatch::UploadPaths(const ServerProfile& profile, const std::wstring& remoteFolder,
                                const std::vector<std::wstring>& paths)
{
    return m_jobs.Start(FtpWorkKind::kTransfer,
                        [this, profile, remoteFolder, paths](FtpJobContext& context) -> FtpApply {
                            TransferRun run(context, m_files, m_events, profile, m_clock);
                            const FailureReport report = run.UploadPaths(paths, remoteFolder);
                            const bool stopped = context.StopRequested() || report.WasStopped();
                            return [this, report, stopped] { m_events.BatchEnded(report, true, stopped); };
                        },
                        [this] { m_events.BatchGivenUp(true); });
}

bool TransferBatch::Download(const ServerProfile& profile, const FtpListing& shown, const std::wstring& localFolder,
                             const std::vector<PaneRow>& rows)
{
    return m_jobs.Start(FtpWorkKind::kTransfer,
                        [this, profile, shown, localFolder, rows](FtpJobContext& context) -> FtpApply {
                            TransferRun run(context, m_files, m_events, profile, m_clock);
                            const FailureReport report = run.Download(shown, localFolder, rows);
                            const bool stopped = context.StopRequested() || report.WasStopped();
                            return [this, report, stopped] { m_events.BatchEnded(report, false, stopped); };
                        },
                        [this] { m_events.BatchGivenUp(false); });
}

bool TransferBatch::CreateLocalPath(LocalFiles& files, const std::wstring& path)
{
    const std::vector<std::wstring> folders = FoldersToCreate(path);
    for (const std::wstring& folder : folders)
        if (!files.Exists(folder))
            files.CreateFolder(folder);
    return files.Exists(folders.empty() ? CollapseDoubledBackslashes(path) : folders.back());
}
