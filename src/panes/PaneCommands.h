// The commands both panes offer on their rows, whatever lies behind them.
#pragma once

#include "panes/PaneView.h"
#include "panes/RenameRules.h"
#include "panes/RowKind.h"
#include "panes/RowModel.h"

#include <string>
#include <vector>

class PaneCommands {
public:
    virtual ~PaneCommands() = default;

    // A double-click: into a folder, up one level, or (locally) open a file.
    virtual void Open(const PaneRow& row) = 0;
    // Backspace: one level up, as the parent row leads.
    void GoUp() { Open({kParentRowText, RowKind::Parent}); }
    // Add Folder: the path box takes the new folder's name.
    virtual void StartAddFolder() = 0;
    // Leaves add-folder mode and creates the typed folder below the one shown.
    virtual void ConfirmAddFolder() = 0;
    // Deletes the rows' entries, never the parent row, and shows the folder again.
    virtual void Delete(const std::vector<PaneRow>& rows) = 0;
    // Whether deleting the rows' entries cannot be undone, so that the user is
    // asked first; a pane that keeps no recycle bin always deletes for good.
    virtual bool DeletesForGood(const std::vector<PaneRow>&) { return true; }
    // Lists the folder shown again; false when the listing failed.
    virtual bool Refresh() = 0;
    // Gives the row's entry the new name and shows the folder again. A name
    // that is empty, not allowed on that side or taken by another entry is
    // refused with a message and nothing changes; the name as it was changes
    // nothing. True when the entry was renamed.
    virtual bool Rename(const PaneRow& row, const std::wstring& newName) = 0;
    // Whether the pane shows a folder at all (a local folder chosen, a server named).
    virtual bool ShowsFolder() const = 0;

    bool InAddFolderMode() const { return m_addFolder.IsActive(); }
    // Esc while a new folder's name is typed: nothing is created.
    void CancelAddFolder(PaneView& view) { m_addFolder.Cancel(view); }

protected:
    // Tells the view of a problem that stopped a rename: a failure names the
    // entry, every other problem the name typed. True when there was none.
    static bool AcceptRename(PaneView& view, RenameProblem problem, const PaneRow& row, const std::wstring& newName,
                             const std::wstring& reason)
    {
        if (problem == RenameProblem::kNone)
            return true;
        if (problem != RenameProblem::kUnchanged)
            view.ReportRenameProblem(problem, problem == RenameProblem::kFailed ? row.name : newName, reason);
        return false;
    }

    AddFolderMode m_addFolder;
};
