// The FTP pane's commands on the server folder: listing, moving between
// folders, creating a folder, renaming, and deleting files and folder trees.
// Each runs as one FTP job, which does the server's part (and lists the
// folder again where the command changed it) on a worker; what it found is
// applied to the pane afterwards. The pane's folder is the profile's folder;
// its rows come from the listing, filled by every listing that succeeded.
#pragma once

#include "ftp/FtpJobs.h"
#include "panes/FailureReport.h"
#include "panes/PaneCommands.h"
#include "panes/PaneView.h"
#include "panes/RowKind.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

class FtpPaneView : public virtual PaneView {
public:
    virtual void ShowRows(const FtpListing& listing) = 0;
    virtual void ReportListingFailure(const FtpFailure& reason) = 0;
    virtual void ReportFolderNotCreated(const std::wstring& path, const FtpFailure& reason) = 0;
    // The path of the entry a tree deletion is about to delete.
    virtual void ShowDeleting(const std::wstring& path) = 0;
    // What a deletion could not delete, once at its end.
    virtual void ReportDeleteProblems(const FailureReport& report) = 0;
    // The row of that name becomes the only one selected (after a rename).
    virtual void SelectName(const std::wstring& name) = 0;
    // What a command did, on the status line until the next one: entries
    // deleted (count), a folder created or an entry renamed (name).
    virtual void ShowDone(FtpWorkKind kind, int count, const std::wstring& name) = 0;
};

class FtpFolderCommands : public PaneCommands {
public:
    FtpFolderCommands(FtpJobs& jobs, ServerProfile& profile, FtpListing& listing, FtpPaneView& view);

    // Lists the profile's folder, then shows the rows and the field. On failure
    // reports it and keeps the rows and the field as they were. While a new
    // folder's name is typed the field keeps the name. False when other FTP
    // work runs.
    bool Refresh() override;

    // The profile the profile dialog handed back: it replaces the live one and
    // is listed. When that fails, no row of the folder shown before stays: the
    // field names the new folder and only the parent row is left.
    void UseProfile(const ServerProfile& profile);

    // A listing of the profile's folder that other work made (a transfer's
    // refresh): shown as Refresh shows its own.
    void ShowListing(const std::wstring& folder, const FtpFolderResult& result);

    // A file row is handed to the file opener, when there is one; folders are
    // deleted with everything inside.
    void Open(const PaneRow& row) override;
    void SetFileOpener(std::function<void(const PaneRow&)> open) { m_openFile = std::move(open); }
    void StartAddFolder() override;
    void ConfirmAddFolder() override;
    void Delete(const std::vector<PaneRow>& rows) override;
    // Refuses "/" and "\" and names another entry of the server folder has.
    // The outcome comes later: false.
    bool Rename(const PaneRow& row, const std::wstring& newName) override;
    bool ShowsFolder() const override { return !m_profile.login.serverName.empty(); }

    // The folder's listing on the engine, as the jobs take it.
    static FtpFolderResult ListOn(FtpEngine& engine, const FtpLogin& login, const std::wstring& folder);

private:
    // Runs the steps and then lists the folder, on one job; applies the
    // listing (false: the field shows previousField again) and then `after`.
    void RunThenList(FtpWorkKind kind, std::function<void(FtpJobContext&)> steps, const std::wstring& folder,
                     const std::wstring& previousField, FtpApply after = {});
    // Shows the listing of the folder, which becomes the profile's; true
    // when it was listed.
    bool Apply(const std::wstring& folder, const FtpFolderResult& result);

    FtpJobs& m_jobs;
    ServerProfile& m_profile;
    FtpListing& m_listing;
    FtpPaneView& m_view;
    std::function<void(const PaneRow&)> m_openFile;
};
