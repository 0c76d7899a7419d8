// What both panes of the main window do alike with their controls: the path
// box and add-folder mode of PaneView, and the handlers of Browse, Add Folder,
// Delete and the double-click, which read the rows and call the pane's
// commands. Each pane adds what is its own: its Browse and its rows.
#pragma once

#include "panes/PaneCommands.h"
#include "panes/PaneControls.h"
#include "panes/PaneView.h"

#include <string>

class PaneWindow : public virtual PaneView {
public:
    PaneWindow(const CTranslation& texts, const PaneControlIds& ids, TextId groupText,
               PaneControls::ParentBy parentBy);

    void Bind(HWND dialog) { m_controls.Bind(dialog); }
    void ApplyTexts() const { m_controls.ApplyTexts(InAddFolderMode()); }

    // Browse: confirms add-folder mode, or does the pane's own Browse.
    void OnBrowse();
    // Double-click in the list.
    void OnDoubleClick();
    // Add Folder: the path box takes the new folder's name.
    void OnAddFolder() { Commands().StartAddFolder(); }
    // Delete: text 60 without a selection mark, else the selected rows go.
    void OnDelete();

    bool InAddFolderMode() const { return Commands().InAddFolderMode(); }
    const ListView& List() const { return m_controls.List(); }

    std::wstring PathText() const override { return m_controls.Path().Text(); }
    void SetPathText(const std::wstring& text) override { m_controls.Path().SetText(text); }
    void ShowAddFolderMode(bool adding) override { m_controls.ShowAddFolderMode(adding); }

protected:
    virtual PaneCommands& Commands() = 0;
    const PaneCommands& Commands() const { return const_cast<PaneWindow*>(this)->Commands(); }
    // Browse outside add-folder mode.
    virtual void Browse() = 0;

    PaneControls m_controls;

private:
    PaneControls::ParentBy m_parentBy;
};
