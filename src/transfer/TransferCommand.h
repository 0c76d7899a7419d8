// The transfer direction (held in the transfer button's caption) and the
// transfer of the selected rows: upload from the local list, download from the
// FTP list, folders with every file beneath them.
#pragma once

#include "framework/ListView.h"

#include <string>
#include <vector>

class CTranslation;
class FtpListing;
class FtpPane;
class LocalPane;
class PowerClass;
class TransferReport;
struct ServerProfile;

class TransferCommand {
public:
    TransferCommand(CTranslation& texts, PowerClass& power, ServerProfile& profile, FtpListing& listing,
                    LocalPane& localPane, FtpPane& ftpPane);

    void Bind(HWND dialog);

    // ">>>  " + text 95 + "  >>>", "<" enabled, ">" disabled.
    void SetUploadDirection();
    // "<<<  " + text 95 + "  <<<", "<" disabled, ">" enabled.
    void SetDownloadDirection();

    // The transfer button: uploads or downloads by the caption's first character.
    void TransferSelection();

    // Creates every missing folder of a local path from the outside in (never
    // the drive, server or share). True when the whole path exists afterwards.
    static bool CreateLocalPath(const std::wstring& path);

    // True while a batch runs (uploads let window messages through meanwhile).
    bool IsBusy() const { return m_busy; }
    // The window is closing: the running batch stops after its current file
    // and then posts WM_CLOSE to the window again.
    void RequestStop() { m_stopRequested = true; }

private:
    struct Row {
        std::wstring name;
        int image;
    };

    void UploadSelection();
    void DownloadSelection();
    void UploadFolder(const std::wstring& localFolder, const std::wstring& folderPath, TransferReport& report);
    void DownloadFolder(const std::wstring& localFolder, const std::wstring& remoteFolder, TransferReport& report);
    void DownloadTreeFile(const std::wstring& localFolder, const std::wstring& remotePath, TransferReport& report);

    static std::vector<Row> SelectedRows(const ListView& list);
    // The controls a batch disables: the transfer button, the direction
    // buttons it names, and both panes' Browse, Add Folder and Delete.
    std::vector<Control> BatchControls(bool withToFtp, bool withToLocal) const;
    void SetStatus(const std::wstring& path) const;
    // Closing the window, or the window already gone, ends the batch early.
    bool ShouldStop() const;
    void FinishBatch(const std::vector<Control>& reenable, const TransferReport& report);

    CTranslation& m_texts;
    PowerClass& m_power;
    ServerProfile& m_profile;
    FtpListing& m_listing;
    LocalPane& m_localPane;
    FtpPane& m_ftpPane;
    HWND m_dialog = nullptr;
    Control m_transfer;
    Control m_toLocal;
    Control m_toFtp;
    Control m_status;
    ListView m_localList;
    ListView m_ftpList;
    bool m_busy = false;
    bool m_stopRequested = false;
};
