// The transfer direction (held in the transfer button's caption) and the
// transfer of the selected rows: upload from the local list, download from the
// FTP list, folders with every file beneath them.
#pragma once

#include "framework/Control.h"

#include <string>

class CTranslation;
class FtpListing;
class FtpPane;
class LocalPane;
class PowerClass;
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

    // True while a batch runs (uploads let window messages through meanwhile).
    bool IsBusy() const { return m_busy; }
    // The window is closing: the running batch stops after its current file.
    void RequestStop() { m_stopRequested = true; }

private:
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
    bool m_busy = false;
    bool m_stopRequested = false;
};
