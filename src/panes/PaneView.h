// What both panes show beside their rows: the path box, and the add-folder
// mode in which the path box takes a new folder's name. The Win32 panes
// implement it (once, in their shared base); the native tests record it.
#pragma once

#include "panes/RenameRules.h"

#include <string>

class PaneView {
public:
    virtual ~PaneView() = default;

    virtual std::wstring PathText() const = 0;
    virtual void SetPathText(const std::wstring& text) = 0;
    // In add-folder mode the list, Add Folder and Delete are hidden, the group
    // box asks for the name and Browse reads "OK".
    virtual void ShowAddFolderMode(bool adding) = 0;
    // A rename was refused or failed: a message naming the name, with the
    // system's or the server's reason after a failure.
    virtual void ReportRenameProblem(RenameProblem problem, const std::wstring& name, const std::wstring& reason) = 0;
};

// The add-folder mode of a pane: entered once, left by its confirmation, with
// the path box's text as it was when the mode began.
class AddFolderMode {
public:
    bool IsActive() const { return m_active; }

    // Empties the path box for the name; false when the mode was already on.
    bool Begin(PaneView& view, std::wstring savedText)
    {
        if (m_active)
            return false;
        m_saved = std::move(savedText);
        m_shown = view.PathText();
        view.SetPathText(std::wstring());
        m_active = true;
        view.ShowAddFolderMode(true);
        return true;
    }

    // Leaves the mode; returns the typed name.
    std::wstring End(PaneView& view)
    {
        const std::wstring name = view.PathText();
        m_active = false;
        view.ShowAddFolderMode(false);
        return name;
    }

    // Leaves the mode without a name: the path box shows what it showed.
    void Cancel(PaneView& view)
    {
        if (!m_active)
            return;
        End(view);
        view.SetPathText(m_shown);
    }

    const std::wstring& Saved() const { return m_saved; }
    void SetSaved(std::wstring saved) { m_saved = std::move(saved); }

private:
    bool m_active = false;
    std::wstring m_saved;
    std::wstring m_shown;
};
