// The transfer direction (held in the transfer button's caption) and the
// transfer of the selected rows: upload from the local list, download from the
// FTP list. The batch itself is the TransferBatch; this class reads the
// selection, disables what the user must not reach meanwhile, shows the status
// and the summary.
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
                    FtpListing& listing, LocalPane& localPane, FtpPane& ftpPane);

    void Bind(HWND dialog);

    // ">>>  " + text 95 + "  >>>", "<" enabled, ">" disabled.
    void SetUploadDirection();
    // "<<<  " + text 95 + "  <<<", "<" disabled, ">" enabled.
    void SetDownloadDirection();

    // The transfer button: uploads or downloads by the caption's first character.
    void TransferSelection();

    // True while a batch runs (uploads let window messages through meanwhile).
    bool IsBusy() const { return m_batch.IsBusy(); }
    // The window is closing: the running batch stops after its current file
    // and then posts WM_CLOSE to the window again.
    void RequestStop() { m_stopRequested = true; }

private:
    void UploadSelection();
    void DownloadSelection();

    // The controls a batch disables: the transfer button, the direction
    // buttons it names, and both panes' Browse, Add Folder and Delete.
    std::vector<Control> BatchControls(bool withToFtp, bool withToLocal) const;
    // False, after text 55, when the list has no selection mark.
    bool CheckSelection(const ListView& list) const;
    void FinishBatch(const std::vector<Control>& reenable, const FailureReport& report);

    // TransferEvents
    void ShowTransferring(const std::wstring& path) override;
    // Closing the window, or the window already gone, ends the batch early.
    bool ShouldStop() override;
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
    ListView m_localList;
    ListView m_ftpList;
    bool m_stopRequested = false;
};
