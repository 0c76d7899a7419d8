#include "framework/ListView.h"

int ListView::InsertColumn(int index, const std::wstring& heading) const
{
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT | LVCF_FMT;
    column.fmt = LVCFMT_LEFT;
    column.pszText = const_cast<wchar_t*>(heading.c_str());
    return static_cast<int>(Send(LVM_INSERTCOLUMNW, index, reinterpret_cast<LPARAM>(&column)));
}

std::wstring ListView::ColumnHeading(int index) const
{
    wchar_t buffer[260] = {};
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT;
    column.pszText = buffer;
    column.cchTextMax = 260;
    if (!Send(LVM_GETCOLUMNW, index, reinterpret_cast<LPARAM>(&column)))
        return std::wstring();
    return buffer;
}

int ListView::InsertRow(int index, const std::wstring& text, int image) const
{
    LVITEMW item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = index;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    item.iImage = image;
    return static_cast<int>(Send(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

void ListView::SetCellText(int row, int column, const std::wstring& text) const
{
    LVITEMW item = {};
    item.iSubItem = column;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    Send(LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
}

std::wstring ListView::CellText(int row, int column) const
{
    // LVM_GETITEMTEXTW answers how much it copied; grow until the text fits.
    std::wstring buffer(260, L'\0');
    for (;;) {
        LVITEMW item = {};
        item.iSubItem = column;
        item.pszText = buffer.data();
        item.cchTextMax = static_cast<int>(buffer.size());
        const int copied = static_cast<int>(Send(LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item)));
        if (copied < static_cast<int>(buffer.size()) - 1) {
            buffer.resize(static_cast<size_t>(copied));
            return buffer;
        }
        buffer.resize(buffer.size() * 2);
    }
}

int ListView::Image(int row) const
{
    LVITEMW item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    if (!Send(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)))
        return -1;
    return item.iImage;
}

std::vector<int> ListView::SelectedRows() const
{
    std::vector<int> rows;
    for (int row = NextSelected(-1); row != -1; row = NextSelected(row))
        rows.push_back(row);
    return rows;
}

void ListView::Select(int row, bool selected) const
{
    LVITEMW item = {};
    item.stateMask = LVIS_SELECTED;
    item.state = selected ? LVIS_SELECTED : 0;
    Send(LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

void ListView::ResumeRedraw() const
{
    Send(WM_SETREDRAW, TRUE);
    ::InvalidateRect(Handle(), nullptr, TRUE);
}
