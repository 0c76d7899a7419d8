// The local pane's commands on its folder: listing, moving between folders,
// opening files, creating a folder and sending entries to the recycle bin.
// The folder the pane works in is the path box's text without its marker.
#pragma once

#include "localpane/LocalFiles.h"
#include "panes/PaneCommands.h"
#include "panes/PaneView.h"
#include "panes/RowKind.h"

#include <string>
#include <vector>

class FailureReport;

class LocalPaneView : public virtual PaneView {
public:
    virtual void ShowRows(const LocalListing& listing) = 0;
    // Opens the file with its associated program.
    virtual void OpenFile(const std::wstring& path) = 0;
    // A new folder that could not be made, with the system's reason.
    virtual void ReportFolderNotCreated(const std::wstring& path, const std::wstring& reason) = 0;
    // Entries that could not be deleted, each with the system's reason.
    virtual void ReportDeleteProblems(const FailureReport& report) = 0;
    // A folder typed into the path box is not there.
    virtual void ReportMissingFolder(const std::wstring& folder) = 0;
};

class LocalFolderCommands : public PaneCommands {
public:
    LocalFolderCommands(LocalFiles& files, LocalPaneView& view);

    // Rebuilds the rows for the folder and shows folder + "\..." in the path
    // box. While a new folder's name is typed the box keeps the name; the
    // folder becomes the one the new folder will be created in.
    void FillLocalList(const std::wstring& folder);

    // The path box without its marker, or, while a new folder's name is being
    // typed, the folder that was shown before.
    std::wstring CurrentFolder() const;

    // A folder the folder picker returned.
    void ShowPickedFolder(const std::wstring& pickedPath);
    // Enter in the path box: the folder typed there. One that is not there
    // is reported, and the box shows the folder shown before again.
    void ShowTypedFolder();

    // A new folder is made in the folder saved when the mode began; deleted
    // entries go to the recycle bin where their drive has one. Failures are
    // told once the list shows the folder again.
    void Open(const PaneRow& row) override;
    void StartAddFolder() override;
    void ConfirmAddFolder() override;
    void Delete(const std::vector<PaneRow>& rows) override;
    bool DeletesForGood(const std::vector<PaneRow>& rows) override;
    bool Refresh() override;
    // Refuses names the local file system forbids, and names another entry
    // has (case aside, as Windows compares them).
    bool Rename(const PaneRow& row, const std::wstring& newName) override;
    bool ShowsFolder() const override { return !CurrentFolder().empty(); }

private:
    LocalFiles& m_files;
    LocalPaneView& m_view;
    std::wstring m_listed;  // the folder whose rows are shown
};
