// The commands both panes offer on their rows, whatever lies behind them.
#pragma once

#include "panes/PaneView.h"
#include "panes/RowKind.h"

#include <vector>

class PaneCommands {
public:
    virtual ~PaneCommands() = default;

    // A double-click: into a folder, up one level, or (locally) open a file.
    virtual void Open(const PaneRow& row) = 0;
    // Add Folder: the path box takes the new folder's name.
    virtual void StartAddFolder() = 0;
    // Leaves add-folder mode and creates the typed folder below the one shown.
    virtual void ConfirmAddFolder() = 0;
    // Deletes the rows' entries, never the parent row, and shows the folder again.
    virtual void Delete(const std::vector<PaneRow>& rows) = 0;

    bool InAddFolderMode() const { return m_addFolder.IsActive(); }

protected:
    AddFolderMode m_addFolder;
};
