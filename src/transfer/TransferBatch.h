// One transfer batch over the selected rows: uploads from the local folder to
// the profile's folder, or downloads from it into the local folder, folders
// with every file beneath them, one engine operation per file. What failed is
// gathered for the one message at the end.
#pragma once

#include "ftp/FtpEngine.h"
#include "localpane/LocalFiles.h"
#include "panes/RowKind.h"
#include "panes/FailureReport.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

class TransferEvents {
public:
    virtual ~TransferEvents() = default;

    // The file or folder the batch works on now.
    virtual void ShowTransferring(const std::wstring& path) = 0;
    // Checked before every file: closing the window ends the batch early.
    virtual bool ShouldStop() = 0;
    // After each selected row, so that the target pane shows what arrived.
    virtual void UploadRowDone() = 0;
    virtual void DownloadRowDone(const std::wstring& localFolder) = 0;
};

class TransferBatch {
public:
    TransferBatch(FtpEngine& engine, LocalFiles& files, const ServerProfile& profile, FtpListing& work,
                  TransferEvents& events);

    // True while a batch runs (uploads let window messages through meanwhile).
    bool IsBusy() const { return m_busy; }

    // Nothing when a batch already runs: a click or a drop that an upload
    // lets through must not start a second batch over the same lists. The
    // parent row is passed over.
    std::optional<FailureReport> Upload(const std::wstring& localFolder, const std::vector<PaneRow>& rows);
    std::optional<FailureReport> Download(const std::wstring& localFolder, const std::vector<PaneRow>& rows);

    // Creates every missing folder of a local path from the outside in (never
    // the drive, server or share). True when the whole path exists afterwards.
    static bool CreateLocalPath(LocalFiles& files, const std::wstring& path);

private:
    // The busy guard and the walk over the rows: the parent row is passed
    // over, a stop ends the walk, and a row the transfer took is followed by
    // rowDone.
    std::optional<FailureReport> RunRows(const std::vector<PaneRow>& rows,
                                          const std::function<bool(const PaneRow&, FailureReport&)>& transfer,
                                          const std::function<void()>& rowDone);
    void UploadFolder(const std::wstring& localFolder, const std::wstring& folderPath, FailureReport& report);
    void DownloadFolder(const std::wstring& localFolder, const std::wstring& remoteFolder, FailureReport& report);
    void DownloadTreeFile(const std::wstring& localFolder, const std::wstring& remotePath, FailureReport& report);

    FtpEngine& m_engine;
    LocalFiles& m_files;
    const ServerProfile& m_profile;
    FtpListing& m_work;
    TransferEvents& m_events;
    bool m_busy = false;
};
