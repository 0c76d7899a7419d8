// The right pane: the folder on the FTP server in list 1008 and field 1005,
// with its Browse, Add Folder and Delete buttons and the group box 1016. Its
// commands are the pane's FtpFolderCommands; its Browse runs the profile
// dialog on a copy of the live profile, with the saved servers beside it.
#pragma once

#include "ftppane/FtpFolderCommands.h"
#include "ftppane/SavedServerStore.h"
#include "panes/PaneWindow.h"

#include <string>

class FtpPane : public PaneWindow, public FtpPaneView {
public:
    FtpPane(const CTranslation& texts, FtpJobs& jobs, ServerProfile& profile, FtpListing& listing,
            SavedServerStore& servers);

    void Bind(HWND dialog);

    // Lists the profile's folder and rebuilds the rows. On failure shows text 25
    // with the reason and keeps the rows and field 1005 as they were. False
    // when other FTP work runs.
    bool Refresh() { return m_commands.Refresh(); }
    // A listing other FTP work made of the profile's folder.
    void ShowListing(const std::wstring& folder, const FtpFolderResult& result)
    {
        m_commands.ShowListing(folder, result);
    }

    // The profile replaces the live one and its folder is listed, as after OK
    // in the profile dialog.
    void UseProfile(const ServerProfile& profile) { m_commands.UseProfile(profile); }
    // The profile dialog on these values, the saved server's name in its
    // field; OK uses what it shows.
    void EditProfile(const ServerProfile& start, const std::wstring& savedName);
    // The profile dialog on the live profile, with the name of the saved
    // server in use.
    void EditLiveProfile();
    void SetFileOpener(std::function<void(const PaneRow&)> open) { m_commands.SetFileOpener(std::move(open)); }

    void ShowRows(const FtpListing& listing) override;
    void ReportListingFailure(const FtpFailure& reason) override;
    void ReportFolderNotCreated(const std::wstring& path, const FtpFailure& reason) override;
    void ShowDeleting(const std::wstring& path) override;
    void ReportDeleteProblems(const FailureReport& report) override;
    void SelectName(const std::wstring& name) override;
    void ShowDone(FtpWorkKind kind, int count, const std::wstring& name) override;

private:
    PaneCommands& Commands() override { return m_commands; }
    // The profile dialog; its OK replaces the live profile, which is listed.
    void Browse() override { EditLiveProfile(); }
    TextId TransferMenuText() const override { return TextId::kDownloadMenuItem; }
    // A file opens as a copy (FtpFolderCommands::SetFileOpener).
    bool OpensFiles() const override { return true; }
    TextId OpenMenuText(RowKind kind) const override
    {
        return kind == RowKind::File ? TextId::kOpenCopyMenuItem : TextId::kOpenMenuItem;
    }

    FtpJobs& m_jobs;
    ServerProfile& m_profile;
    SavedServerStore& m_servers;
    Control m_status;
    FtpFolderCommands m_commands;
};
