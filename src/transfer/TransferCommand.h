// The transfer direction (held in the transfer button's caption) and the
// transfer of the selected rows: upload from the local list, download from the
// FTP list. The batch itself is the TransferBatch, an FTP job; this class
// reads the selection, shows the progress and its bar, asks before a file is
// replaced, refreshes the receiving pane and shows the summary. The busy
// state around it (Stop, what is disabled) is the main window's.
#pragma once

#include "framework/ListView.h"
#include "transfer/TransferBatch.h"

#include <functional>
#include <string>
#include <vector>

class CTranslation;
class FtpPane;
class LocalPane;

class TransferCommand : private TransferEvents {
public:
    TransferCommand(const CTranslation& texts, FtpJobs& jobs, LocalFiles& files, const ServerProfile& profile,
                    const FtpListing& listing, LocalPane& localPane, FtpPane& ftpPane);

    void Bind(HWND dialog);

    // ">>>  " + text 95 + "  >>>", "<" enabled, ">" disabled.
    void SetUploadDirection();
    // "<<<  " + text 95 + "  <<<", "<" disabled, ">" enabled.
    void SetDownloadDirection();
    bool IsUploadDirection() const { return m_upload; }
    // The caption and arrows of the direction set last, after the button read Stop.
    void ShowDirection() { m_upload ? SetUploadDirection() : SetDownloadDirection(); }

    // The transfer button: uploads or downloads by the direction.
    void TransferSelection();

    // Files and folders dropped from the shell, by their full paths, into the
    // remote folder; false while other FTP work runs.
    bool UploadPaths(const std::vector<std::wstring>& paths, const std::wstring& remoteFolder);
    // One file of the FTP list into the local folder; `arrived` runs when it
    // came whole (not after a stop, a failure or a skip).
    bool DownloadThen(const std::wstring& localFolder, const PaneRow& row, std::function<void()> arrived);

    // The window is closing: a stop the user asked for is not reported.
    void SetClosing() { m_closing = true; }

private:
    void UploadSelection();
    void DownloadSelection();
    // False, after text 55, when the list has no selection mark.
    bool CheckSelection(const ListView& list) const;
    void StartProgress();

    // TransferEvents
    void ShowTransferring(const std::wstring& path) override;
    void ShowProgress(const TransferProgress& progress, double now) override;
    OverwriteChoice AskOverwrite(const OverwriteQuestion& question) override;
    void UploadRowDone(const std::wstring& folder, const FtpFolderResult& listing) override;
    void DownloadRowDone(const std::wstring& localFolder) override;
    void FewerSessions(int sessions) override;
    void BatchEnded(const FailureReport& report, bool upload, bool stopped) override;
    void BatchGivenUp(bool upload) override;

    const CTranslation& m_texts;
    const ServerProfile& m_profile;
    const FtpListing& m_listing;
    LocalPane& m_localPane;
    FtpPane& m_ftpPane;
    TransferBatch m_batch;
    HWND m_dialog = nullptr;
    Control m_transfer;
    Control m_toLocal;
    Control m_toFtp;
    Control m_status;
    Control m_progress;
    ProgressWords m_progressWords;
    std::wstring m_sessionsNote;  // after the progress, when the server allowed fewer sessions
    ListView m_localList;
    ListView m_ftpList;
    bool m_upload = true;
    bool m_closing = false;
    std::function<void()> m_arrived;  // after DownloadThen's batch
};
