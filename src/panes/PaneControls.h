// The controls of one pane in the main window (path box, Browse, Add Folder,
// Delete, group box and list) and what both panes do with them alike: their
// captions, the add-folder mode, the rows, their order and the selection.
#pragma once

#include "framework/ListView.h"
#include "i18n/TextId.h"
#include "panes/ListRows.h"
#include "panes/RowKind.h"
#include "panes/RowOrder.h"

#include <optional>
#include <string>
#include <vector>

class CTranslation;
class FailureReport;

// The one message at the end of a batch or deletion that had problems.
std::wstring FailureMessage(const CTranslation& texts, const FailureReport& report, TextId failedHeading);

struct PaneControlIds {
    int path;
    int browse;
    int addFolder;
    int remove;
    int group;
    int list;
};

class PaneControls {
public:
    PaneControls(const CTranslation& texts, const PaneControlIds& ids, TextId groupText);

    void Bind(HWND dialog);
    // The captions of the mode the pane is in.
    void ApplyTexts(bool adding) const;
    void ShowAddFolderMode(bool adding) const;

    // The rows, parent row first, in the order the user chose by a header
    // click, or as given until then. Each row's data is its place in rows.
    void FillRows(std::vector<ListRow> rows);
    // A click on the column's header: sorts by it, or reverses its order.
    void SortBy(int column);
    // The Size and Modified cells ask for their texts whenever they are shown
    // (LVN_GETDISPINFOW); false for the other cells.
    bool FillCellText(NMLVDISPINFOW& info) const;

    // The list's row as the pane keeps it: its name and kind come from the
    // rows through the item's data, never from its image or text, so that a
    // folder named "[...]" is a folder like any other.
    PaneRow RowAt(int row) const;
    // The row under the selection mark; nothing without a mark.
    std::optional<PaneRow> MarkedRow() const;
    std::vector<PaneRow> SelectedRows() const;
    // Selects every row but the parent row and marks the first of them.
    void SelectAllButParent() const;
    // Selects, marks and shows the row of that name alone, if there is one.
    void SelectOnly(const std::wstring& name) const;
    // Text 60 when no row carries the mark; false then.
    bool CheckSelectionForDelete() const;

    HWND Dialog() const { return m_dialog; }
    const Control& Path() const { return m_path; }
    const ListView& List() const { return m_list; }

private:
    static int CALLBACK CompareRows(LPARAM a, LPARAM b, LPARAM self);
    // Reorders the rows by the chosen order; the selection mark stays on its row.
    void SortRows() const;

    const CTranslation& m_texts;
    PaneControlIds m_ids;
    TextId m_groupText;
    HWND m_dialog = nullptr;
    Control m_path;
    Control m_browse;
    Control m_addFolder;
    Control m_remove;
    Control m_group;
    ListView m_list;
    std::vector<ListRow> m_rows;
    RowOrder m_order;
};
