// The FTP pane's commands on the server folder: listing, moving between
// folders, creating a folder and deleting files and folder trees, each on the
// engine. The pane's folder is the profile's folder; its rows come from the
// listing, filled by every refresh.
#pragma once

#include "ftp/FtpEngine.h"
#include "panes/FailureReport.h"
#include "panes/PaneCommands.h"
#include "panes/PaneView.h"
#include "panes/RowKind.h"

#include <string>
#include <vector>

class FtpPaneView : public virtual PaneView {
public:
    // Around every listing: the status line tells of it and the transfer
    // button waits.
    virtual void ListingStarts() = 0;
    virtual void ListingEnds() = 0;
    virtual void ShowRows(const FtpListing& listing) = 0;
    virtual void ReportListingFailure(const FtpFailure& reason) = 0;
    virtual void ReportFolderNotCreated(const std::wstring& path, const FtpFailure& reason) = 0;
    // The path of the entry a tree deletion is about to delete; empty when the
    // deletion has ended.
    virtual void ShowDeleting(const std::wstring& path) = 0;
    // What a deletion could not delete, once at its end.
    virtual void ReportDeleteProblems(const FailureReport& report) = 0;
};

class FtpFolderCommands : public PaneCommands {
public:
    FtpFolderCommands(FtpEngine& engine, ServerProfile& profile, FtpListing& listing, FtpPaneView& view);

    // Lists the profile's folder, then shows the rows and the field. On failure
    // reports it and keeps the rows and the field as they were; returns false.
    // While a new folder's name is typed the field keeps the name.
    bool Refresh() override;

    // The profile the profile dialog handed back: it replaces the live one and
    // is listed. When that fails, no row of the folder shown before stays: the
    // field names the new folder and only the parent row is left.
    void UseProfile(const ServerProfile& profile);

    // A file row opens nothing; folders are deleted with everything inside.
    void Open(const PaneRow& row) override;
    void StartAddFolder() override;
    void ConfirmAddFolder() override;
    void Delete(const std::vector<PaneRow>& rows) override;
    // Refuses "/" and "\" and names another entry of the server folder has.
    bool Rename(const PaneRow& row, const std::wstring& newName) override;
    bool ShowsFolder() const override { return !m_profile.login.serverName.empty(); }

private:
    // Refreshes after a command that may have changed the folder; when the
    // listing fails, the folder and the field go back to what was shown, so
    // that they keep agreeing with the rows.
    void RefreshOrGoBack(const std::wstring& previousFolder, const std::wstring& previousField);
    // False when the entry is still there.
    bool DeleteRow(const PaneRow& row, FailureReport& report);

    FtpEngine& m_engine;
    ServerProfile& m_profile;
    FtpListing& m_listing;
    FtpPaneView& m_view;
};
