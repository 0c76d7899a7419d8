// The left pane: the local or network folder in path box 1003 and list 1007,
// with its Browse, Add Folder and Delete buttons and the group box 1015. Its
// commands are the pane's LocalFolderCommands.
#pragma once

#include "localpane/LocalFolderCommands.h"
#include "panes/PaneWindow.h"

#include <string>

class LocalPane : public PaneWindow, public LocalPaneView {
public:
    LocalPane(const CTranslation& texts, LocalFiles& files);

    void FillLocalList(const std::wstring& folder) { m_commands.FillLocalList(folder); }
    std::wstring CurrentFolder() const { return m_commands.CurrentFolder(); }
    // Enter in the path box: the folder typed there.
    void ShowTypedFolder() { m_commands.ShowTypedFolder(); }

    void ShowRows(const LocalListing& listing) override;
    void OpenFile(const std::wstring& path) override;
    void ReportFolderNotCreated(const std::wstring& path, const std::wstring& reason) override;
    void ReportDeleteProblems(const FailureReport& report) override;
    void ReportMissingFolder(const std::wstring& folder) override;

private:
    PaneCommands& Commands() override { return m_commands; }
    // The folder picker.
    void Browse() override;
    bool OpensFiles() const override { return true; }
    TextId TransferMenuText() const override { return TextId::kUploadMenuItem; }

    LocalFolderCommands m_commands;
};
