#include "framework/ListView.h"

namespace {

LRESULT CALLBACK DrawTextWhenEmpty(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    const LRESULT result = ::DefSubclassProc(list, message, wParam, lParam);
    if (message == WM_SETTEXT)
        ::InvalidateRect(list, nullptr, TRUE);
    if (message != WM_PAINT || ::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) != 0)
        return result;
    const int length = ::GetWindowTextLengthW(list);
    if (length <= 0)
        return result;
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextW(list, text.data(), length + 1)));
    RECT area = {};
    ::GetClientRect(list, &area);
    RECT header = {};
    if (::GetWindowRect(reinterpret_cast<HWND>(::SendMessageW(list, LVM_GETHEADER, 0, 0)), &header))
        area.top += header.bottom - header.top;
    area.top += (area.bottom - area.top) / 4;
    const HDC dc = ::GetDC(list);
    const HGDIOBJ font = ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageW(list, WM_GETFONT, 0, 0)));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor(COLOR_GRAYTEXT));
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area, DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
    ::SelectObject(dc, font);
    ::ReleaseDC(list, dc);
    return result;
}

}  // namespace

void ListView::ShowTextWhenEmpty() const
{
    ::SetWindowSubclass(Handle(), DrawTextWhenEmpty, 0, 0);
}

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

void ListView::SetColumnHeading(int index, const std::wstring& heading) const
{
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT;
    column.pszText = const_cast<wchar_t*>(heading.c_str());
    Send(LVM_SETCOLUMNW, index, reinterpret_cast<LPARAM>(&column));
}

void ListView::SetSortArrow(int sorted, bool descending) const
{
    const HWND header = reinterpret_cast<HWND>(Send(LVM_GETHEADER));
    const int columns = static_cast<int>(::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
    for (int column = 0; column < columns; ++column) {
        HDITEMW item = {};
        item.mask = HDI_FORMAT;
        ::SendMessageW(header, HDM_GETITEMW, column, reinterpret_cast<LPARAM>(&item));
        item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
        if (column == sorted)
            item.fmt |= descending ? HDF_SORTDOWN : HDF_SORTUP;
        ::SendMessageW(header, HDM_SETITEMW, column, reinterpret_cast<LPARAM>(&item));
    }
}

int ListView::InsertRow(int index, const std::wstring& text, int image, LPARAM data) const
{
    LVITEMW item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = index;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    item.iImage = image;
    item.lParam = data;
    return static_cast<int>(Send(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
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

bool ListView::GetRow(int row, UINT mask, LVITEMW& item) const
{
    item = {};
    item.mask = mask;
    item.iItem = row;
    return Send(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)) != FALSE;
}

int ListView::Image(int row) const
{
    LVITEMW item;
    return GetRow(row, LVIF_IMAGE, item) ? item.iImage : -1;
}

LPARAM ListView::Data(int row) const
{
    LVITEMW item;
    return GetRow(row, LVIF_PARAM, item) ? item.lParam : 0;
}

int ListView::RowWithData(LPARAM data) const
{
    LVFINDINFOW find = {};
    find.flags = LVFI_PARAM;
    find.lParam = data;
    return static_cast<int>(Send(LVM_FINDITEMW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)));
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

void ListView::EditLabel(int row) const
{
    ::SetFocus(Handle());
    Send(LVM_EDITLABELW, row);
}

void ListView::ResumeRedraw() const
{
    Send(WM_SETREDRAW, TRUE);
    ::InvalidateRect(Handle(), nullptr, TRUE);
}
