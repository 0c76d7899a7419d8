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
    int ColumnCount() const
    {
        return static_cast<int>(::SendMessageW(reinterpret_cast<HWND>(Send(LVM_GETHEADER)), HDM_GETITEMCOUNT, 0, 0));
    }

    void DeleteAll() const { Send(LVM_DELETEALLITEMS); }
    int InsertRow(int index, const std::wstring& text, int image) const;
    void SetCellText(int row, int column, const std::wstring& text) const;
    std::wstring CellText(int row, int column) const;
    int Image(int row) const;
    int Count() const { return static_cast<int>(Send(LVM_GETITEMCOUNT)); }

    int SelectionMark() const { return static_cast<int>(Send(LVM_GETSELECTIONMARK)); }
    void SetSelectionMark(int row) const { Send(LVM_SETSELECTIONMARK, 0, row); }
    // The next selected row after `row` (-1 starts from the top); -1 when none.
    int NextSelected(int row) const { return static_cast<int>(Send(LVM_GETNEXTITEM, row, LVNI_SELECTED)); }
    std::vector<int> SelectedRows() const;
    void Select(int row, bool selected) const;

    // Suspends painting while many rows change; Resume repaints once.
    void SuspendRedraw() const { Send(WM_SETREDRAW, FALSE); }
    void ResumeRedraw() const;
};
