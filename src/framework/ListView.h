// A report-style list view control: the rows of both panes.
#pragma once

#include "framework/Control.h"

#include <commctrl.h>

#include <string>
#include <vector>

class ListView : public Control {
public:
    using Control::Control;

    int InsertColumn(int index, const std::wstring& heading) const;
    void SetColumnWidth(int column, int width) const { Send(LVM_SETCOLUMNWIDTH, column, MAKELPARAM(width, 0)); }
    int ColumnWidth(int column) const { return static_cast<int>(Send(LVM_GETCOLUMNWIDTH, column)); }
    std::wstring ColumnHeading(int column) const;
    // The text's width in pixels in the list's font.
    int TextWidth(const std::wstring& text) const
    {
        return static_cast<int>(Send(LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(text.c_str())));
    }
    void SetColumnHeading(int column, const std::wstring& heading) const;
    int ColumnCount() const
    {
        return static_cast<int>(::SendMessageW(reinterpret_cast<HWND>(Send(LVM_GETHEADER)), HDM_GETITEMCOUNT, 0, 0));
    }
    // The header's sort arrow: up on the column when ascending, down when
    // descending; no other column keeps one. A column of -1 clears them all.
    void SetSortArrow(int column, bool descending) const;

    void DeleteAll() const { Send(LVM_DELETEALLITEMS); }
    // The row carries the data (LVIF_PARAM), for sorting and callbacks. Cells
    // of other columns that are never set ask the parent for their texts.
    int InsertRow(int index, const std::wstring& text, int image, LPARAM data = 0) const;
    std::wstring CellText(int row, int column) const;
    int Image(int row) const;
    LPARAM Data(int row) const;
    // The row carrying the data; -1 when none does.
    int RowWithData(LPARAM data) const;
    // Reorders the rows by the comparison of their data (LVM_SORTITEMS);
    // selection and focus stay with their rows.
    void SortRows(PFNLVCOMPARE compare, LPARAM context) const { Send(LVM_SORTITEMS, context, reinterpret_cast<LPARAM>(compare)); }
    int Count() const { return static_cast<int>(Send(LVM_GETITEMCOUNT)); }

    int SelectionMark() const { return static_cast<int>(Send(LVM_GETSELECTIONMARK)); }
    void SetSelectionMark(int row) const { Send(LVM_SETSELECTIONMARK, 0, row); }
    // The next selected row after `row` (-1 starts from the top); -1 when none.
    int NextSelected(int row) const { return static_cast<int>(Send(LVM_GETNEXTITEM, row, LVNI_SELECTED)); }
    std::vector<int> SelectedRows() const;
    void Select(int row, bool selected) const;
    void EnsureVisible(int row) const { Send(LVM_ENSUREVISIBLE, row, FALSE); }
    // In-place editing of the row's name; the control must have the focus.
    void EditLabel(int row) const;
    HWND EditControl() const { return reinterpret_cast<HWND>(Send(LVM_GETEDITCONTROL)); }

    // While the list has no rows, its window text is drawn in the rows' area.
    void ShowTextWhenEmpty() const;

    // Suspends painting while many rows change; Resume repaints once.
    void SuspendRedraw() const { Send(WM_SETREDRAW, FALSE); }
    void ResumeRedraw() const;

private:
    // LVM_GETITEMW for the fields the mask names; false when there is no such row.
    bool GetRow(int row, UINT mask, LVITEMW& item) const;
};
