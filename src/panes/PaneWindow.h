// What both panes of the main window do alike with their controls: the path
// box and add-folder mode of PaneView, the handlers of Browse, Add Folder,
// Delete, and of the list's notifications (double-click, keys, header clicks,
// in-place renaming, cell texts) and its context menu, which read the rows and
// call the pane's commands. Each pane adds what is its own: its Browse and its rows.
#pragma once

#include "panes/PaneCommands.h"
#include "panes/PaneControls.h"
#include "panes/PaneView.h"

#include <optional>
#include <string>

class PaneWindow : public virtual PaneView {
public:
    PaneWindow(const CTranslation& texts, const PaneControlIds& ids, TextId groupText);

    void Bind(HWND dialog);
    void ApplyTexts() const { m_controls.ApplyTexts(InAddFolderMode()); }

    // Browse: confirms add-folder mode, or does the pane's own Browse.
    void OnBrowse();
    // Double-click in the list, and Enter.
    void OnDoubleClick();
    // Add Folder: the path box takes the new folder's name.
    void OnAddFolder() { Commands().StartAddFolder(); }
    // Delete: text 60 without a selection mark, else the selected rows go,
    // after a Yes to the question when the pane deletes them for good.
    void OnDelete();
    // Esc: leaves add-folder mode, creating nothing.
    void CancelAddFolder() { Commands().CancelAddFolder(*this); }
    bool HasPathFocus() const { return ::GetFocus() == m_controls.Path().Handle(); }

    // The list's notifications; false for those the pane leaves alone.
    bool OnListNotify(NMHDR* header, LRESULT& result);
    // The context menu at the position WM_CONTEXTMENU gives (-1, -1 from the
    // keyboard: below the marked row). Returns the command chosen, 0 for none.
    int ChooseFromContextMenu(LPARAM position);
    // A command of the context menu; the transfer is the main window's.
    void RunListCommand(int id);

    bool InAddFolderMode() const { return Commands().InAddFolderMode(); }
    // Opens the edit again on a name that was refused, holding it.
    void RetypeName();
    const ListView& List() const { return m_controls.List(); }
    // The selected rows, each as the pane keeps it (see PaneControls::RowAt).
    std::vector<PaneRow> SelectedRows() const { return m_controls.SelectedRows(); }

    std::wstring PathText() const override { return m_controls.Path().Text(); }
    void SetPathText(const std::wstring& text) override { m_controls.Path().SetText(text); }
    void ShowAddFolderMode(bool adding) override { m_controls.ShowAddFolderMode(adding); }
    void ReportRenameProblem(RenameProblem problem, const std::wstring& name, const std::wstring& reason) override;

protected:
    virtual PaneCommands& Commands() = 0;
    const PaneCommands& Commands() const { return const_cast<PaneWindow*>(this)->Commands(); }
    // Browse outside add-folder mode.
    virtual void Browse() = 0;
    // Whether Open applies to a file (the local pane starts its program).
    virtual bool OpensFiles() const { return false; }
    // The context menu's text for Open on one row of that kind.
    virtual TextId OpenMenuText(RowKind) const { return TextId::kOpenMenuItem; }
    // The context menu's text for the transfer to the other side.
    virtual TextId TransferMenuText() const = 0;
    // A message box over the main window with the program's caption.
    void Tell(const std::wstring& message, UINT icon = 0) const;

    const CTranslation& m_texts;
    PaneControls m_controls;

private:
    // Yes or No (the default) before entries are deleted for good: the
    // question names the one entry, or tells how many there are.
    bool ConfirmDeleteForGood(const std::vector<PaneRow>& rows) const;
    void OnKey(WORD key);
    // F2 and Rename: in-place editing of the marked row's name, or of the one
    // selected row's; never of the parent row.
    void StartRename();
    bool CanRename(int row) const;
    void FinishRename(const NMLVDISPINFOW& info);
    POINT BelowMarkedRow() const;

    struct Retype {
        int row;
        std::wstring name;
    };
    std::optional<Retype> m_retype;
    int m_renameRow = -1;     // the row of the rename the user ended last
    bool m_inRename = false;  // inside the pane's Rename: a refusal is offered again after it
};
