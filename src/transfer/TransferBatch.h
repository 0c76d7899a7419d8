// One transfer batch over the selected rows: uploads from the local folder to
// the profile's folder, or downloads from it into the local folder, folders
// with every file beneath them. The batch first gathers every file with its
// size, then moves them one engine operation each, streamed in blocks: it
// reports its progress, may be stopped between blocks, asks before it would
// replace a file, and gathers what failed for the one message at the end.
#pragma once

#include "ftp/FtpEngine.h"
#include "localpane/LocalFiles.h"
#include "panes/FailureReport.h"
#include "panes/RowKind.h"
#include "transfer/OverwritePolicy.h"
#include "transfer/TransferProgress.h"

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

class TransferEvents {
public:
    virtual ~TransferEvents() = default;

    // The folder the batch reads before its files are known.
    virtual void ShowTransferring(const std::wstring& path) = 0;
    // At each file's start and end, and between blocks at most ten times a second.
    // now: the batch clock's time, for the speed.
    virtual void ShowProgress(const TransferProgress& progress, double now) = 0;
    // Checked before every file and after every block.
    virtual bool ShouldStop() = 0;
    // The target folder already holds a file of that name.
    virtual OverwriteChoice AskOverwrite(const OverwriteQuestion& question) = 0;
    // After each selected row, so that the target pane shows what arrived.
    virtual void UploadRowDone() = 0;
    virtual void DownloadRowDone(const std::wstring& localFolder) = 0;
};

class TransferBatch {
public:
    using Clock = std::function<double()>;

    // shown: the FTP pane's listing of the profile's folder. The clock gives
    // seconds for the speed; a steady clock unless a test gives its own.
    TransferBatch(FtpEngine& engine, LocalFiles& files, const ServerProfile& profile, const FtpListing& shown,
                  TransferEvents& events, Clock clock = Clock());

    // True while a batch runs (window messages come through meanwhile).
    bool IsBusy() const { return m_busy; }

    // Nothing when a batch already runs: a click or a drop that comes through
    // must not start a second batch over the same lists. The parent row is
    // passed over.
    std::optional<FailureReport> Upload(const std::wstring& localFolder, const std::vector<PaneRow>& rows);
    std::optional<FailureReport> Download(const std::wstring& localFolder, const std::vector<PaneRow>& rows);

    // Creates every missing folder of a local path from the outside in (never
    // the drive, server or share). True when the whole path exists afterwards.
    static bool CreateLocalPath(LocalFiles& files, const std::wstring& path);

private:
    // One file to move. Uploads: localPath is the file, remoteFolder the
    // target. Downloads: localPath is the target folder, remoteFolder/name the
    // source.
    struct Item {
        std::wstring shown;  // the path the summary names
        std::wstring localPath;
        std::wstring remoteFolder;
        std::wstring name;
        std::optional<std::uint64_t> size;
        std::uint64_t time = 0;
    };
    // The files of one selected row; a row that takes no part has none and is
    // not followed by rowDone.
    struct RowPlan {
        bool takesPart = true;
        std::vector<Item> items;
    };
    using Plan = std::vector<RowPlan>;

    std::optional<FailureReport> Run(const std::function<Plan(FailureReport&)>& plan, bool upload,
                                     const std::function<void()>& rowDone);
    Plan PlanUpload(const std::wstring& localFolder, const std::vector<PaneRow>& rows);
    Plan PlanDownload(const std::wstring& localFolder, const std::vector<PaneRow>& rows, FailureReport& report);
    void PlanDownloadTree(const std::wstring& localFolder, const std::wstring& remoteFolder, RowPlan& row,
                          FailureReport& report);
    // What the existing target is, when there is one.
    std::optional<OverwriteSide> ExistingTarget(const Item& item, bool upload);
    OverwriteDecision DecideOverwrite(const Item& item, bool upload, OverwritePolicy& policy);
    FtpTransferResult Move(const Item& item, bool upload);

    FtpEngine& m_engine;
    LocalFiles& m_files;
    const ServerProfile& m_profile;
    const FtpListing& m_shown;
    TransferEvents& m_events;
    Clock m_clock;
    TransferProgress m_progress;
    // Listings of the upload's target folders inside trees, one per folder.
    std::map<std::wstring, FtpListing> m_targetListings;
    bool m_busy = false;
};
