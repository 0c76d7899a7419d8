// One transfer batch over the selected rows: uploads from the local folder to
// the profile's folder, or downloads from it into the local folder, folders
// with every file beneath them. It runs as one FTP job (TransferRun): it
// gathers every file with its size, then moves them side by side on up to
// the profile's number of sessions, streamed in blocks. It reports its
// progress, may be stopped between blocks, asks before it would replace a
// file, and gathers what failed for the one message at the end.
#pragma once

#include "ftp/FtpJobs.h"
#include "localpane/LocalFiles.h"
#include "panes/FailureReport.h"
#include "panes/RowKind.h"
#include "transfer/OverwritePolicy.h"
#include "transfer/TransferProgress.h"

#include <functional>
#include <string>
#include <vector>

// What the batch tells the window; every call comes on the window's thread.
class TransferEvents {
public:
    virtual ~TransferEvents() = default;

    // The folder the batch reads before its files are known.
    virtual void ShowTransferring(const std::wstring& path) = 0;
    // At each file's start and end, and between blocks at most ten times a second.
    // now: the batch clock's time, for the speed.
    virtual void ShowProgress(const TransferProgress& progress, double now) = 0;
    // The target folder already holds a file of that name.
    virtual OverwriteChoice AskOverwrite(const OverwriteQuestion& question) = 0;
    // After each selected row, so that the target pane shows what arrived:
    // the upload's target folder as the batch listed it.
    virtual void UploadRowDone(const std::wstring& folder, const FtpFolderResult& listing) = 0;
    virtual void DownloadRowDone(const std::wstring& localFolder) = 0;
    // The server refused a further login: the batch goes on with `sessions`.
    virtual void FewerSessions(int sessions) = 0;
    // Once, at the end: what did not go as it should; stopped when Stop
    // came (even after the last file, when the report names nothing).
    virtual void BatchEnded(const FailureReport& report, bool upload, bool stopped) = 0;
    // Instead of the end: the batch did not end within a second of a stop.
    virtual void BatchGivenUp(bool upload) = 0;
};

class TransferBatch {
public:
    using Clock = std::function<double()>;

    // The clock gives seconds for the speed; a steady clock unless a test
    // gives its own.
    TransferBatch(FtpJobs& jobs, LocalFiles& files, TransferEvents& events, Clock clock = Clock());

    // False, starting nothing, while other FTP work runs. The parent row is
    // passed over.
    bool Upload(const ServerProfile& profile, const std::wstring& localFolder, const std::vector<PaneRow>& rows);
    // Files and folders by their full local paths (a drop from the shell),
    // into the remote folder; as Upload otherwise.
    bool UploadPaths(const ServerProfile& profile, const std::wstring& remoteFolder,
                     const std::vector<std::wstring>& paths);
    // shown: the FTP pane's listing of the profile's folder, for the sizes.
    bool Download(const ServerProfile& profile, const FtpListing& shown, const std::wstring& localFolder,
                  const std::vector<PaneRow>& rows);

    // Creates every missing folder of a local path from the outside in (never
    // the drive, server or share). True when the whole path exists afterwards.
    static bool CreateLocalPath(LocalFiles& files, const std::wstring& path);

private:
    FtpJobs& m_jobs;
    LocalFiles& m_files;
    TransferEvents& m_events;
    Clock m_clock;
};
