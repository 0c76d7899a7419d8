// The right pane: the folder on the FTP server in list 1008 and field 1005,
// with its Browse, Add Folder and Delete buttons and the group box 1016. Its
// commands are the pane's FtpFolderCommands; its Browse runs the profile
// dialog on a copy of the live profile.
#pragma once

#include "ftppane/FtpFolderCommands.h"
#include "panes/PaneWindow.h"

#include <string>

class FtpPane : public PaneWindow, public FtpPaneView {
public:
    FtpPane(const CTranslation& texts, FtpEngine& engine, ServerProfile& profile, FtpListing& listing);

    void Bind(HWND dialog);

    // Lists the profile's folder and rebuilds the rows. On failure shows text 25
    // with the reason and keeps the rows and field 1005 as they were; returns
    // false.
    bool Refresh() { return m_commands.Refresh(); }

    void ListingStarts() override;
    void ListingEnds() override;
    void ShowRows(const FtpListing& listing) override;
    void ReportListingFailure(const FtpFailure& reason) override;
    void ReportFolderNotCreated(const std::wstring& path, const FtpFailure& reason) override;
    void ShowDeleting(const std::wstring& path) override;
    void ReportDeleteProblems(const FailureReport& report) override;

private:
    PaneCommands& Commands() override { return m_commands; }
    // The profile dialog; its OK replaces the live profile, which is listed.
    void Browse() override;
    TextId TransferMenuText() const override { return TextId::kDownloadMenuItem; }

    FtpEngine& m_engine;
    ServerProfile& m_profile;
    Control m_status;
    Control m_transfer;
    FtpFolderCommands m_commands;
};
