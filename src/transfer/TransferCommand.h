// The transfer direction (held in the transfer button's caption) and the
// transfer of the selected rows: upload from the local list, download from the
// FTP list. The batch itself is the TransferBatch; this class reads the
// selection, disables what the user must not reach meanwhile, turns the
// transfer button into Stop, shows the progress, asks before a file is
// replaced, and shows the summary.
#pragma once

#include "framework/ListView.h"
#include "transfer/TransferBatch.h"

#include <string>
#include <vector>

class CTranslation;
class FtpPane;
class LocalPane;

class TransferCommand : private TransferEvents {
public:
    TransferCommand(const CTranslation& texts, FtpEngine& engine, LocalFiles& files, const ServerProfile& profile,
                    const FtpListing& listing, LocalPane& localPane, FtpPane& ftpPane);

    void Bind(HWND dialog);

    // ">>>  " + text 95 + "  >>>", "<" enabled, ">" disabled.
    void SetUploadDirection();
    // "<<<  " + text 95 + "  <<<", "<" disabled, ">" enabled.
    void SetDownloadDirection();

    // The transfer button: uploads or downloads by the caption's first character.
    void TransferSelection();

    // True while a batch runs (window messages come through meanwhile).
    bool IsBusy() const { return m_batch.IsBusy(); }
    // Stop or Esc: the running batch ends after its current block.
    void StopBatch() { m_stopRequested = true; }
    // The window is closing: the running batch stops after its current block
    // and then posts WM_CLOSE to the window again.
    void RequestClose() { m_closeRequested = true; }

private:
    void UploadSelection();
    void DownloadSelection();

    // The controls a batch disables: the direction buttons it names, and
    // both panes' Browse, Add Folder and Delete. The transfer button stays
    // enabled: it reads Stop meanwhile.
    std::vector<Control> BatchControls(bool withToFtp, bool withToLocal) const;
    // False, after text 55, when the list has no selection mark.
    bool CheckSelection(const ListView& list) const;
    void StartBatch(const std::vector<Control>& disable);
    void FinishBatch(const std::vector<Control>& reenable, const FailureReport& report, bool upload);

    // TransferEvents
    void ShowTransferring(const std::wstring& path) override;
    void ShowProgress(const TransferProgress& progress, double now) override;
    // Stop, closing the window, or the window already gone, ends the batch early.
    bool ShouldStop() override;
    OverwriteChoice AskOverwrite(const OverwriteQuestion& question) override;
    void UploadRowDone() override;
    void DownloadRowDone(const std::wstring& localFolder) override;

    const CTranslation& m_texts;
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
    ListView m_localList;
    ListView m_ftpList;
    bool m_stopRequested = false;
    bool m_closeRequested = false;
};
