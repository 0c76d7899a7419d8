#include "app/StatusRow.h"

#include "res/resource.h"

#include <commctrl.h>

namespace {

// Pixels at 96 DPI between the status line and the bar.
constexpr int kGapBeforeBar = 5;

RECT PlacementIn(HWND dialog, HWND control)
{
    RECT rect = {};
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

}  // namespace

StatusRow::~StatusRow()
{
    if (m_bar && ::IsWindow(m_bar))
        ::RemoveWindowSubclass(m_bar, WatchBar, 0);
}

void StatusRow::Bind(HWND dialog)
{
    m_dialog = dialog;
    m_status = ::GetDlgItem(dialog, IDC_STATUS);
    m_bar = ::GetDlgItem(dialog, IDC_PROGRESS);
    // Binding again (after a change of language) only renews the subclass.
    ::SetWindowSubclass(m_bar, WatchBar, 0, reinterpret_cast<DWORD_PTR>(this));
    // The template's status line ends where the bar does, but the dialog
    // manager rounds each control's position and size on its own.
    Fit();
}

void StatusRow::Fit() const
{
    const RECT status = PlacementIn(m_dialog, m_status);
    const RECT bar = PlacementIn(m_dialog, m_bar);
    // The style, not IsWindowVisible: the main window itself may be hidden.
    const bool barShown = (::GetWindowLongW(m_bar, GWL_STYLE) & WS_VISIBLE) != 0;
    const int right = barShown ? bar.left - ScaleForDpi(kGapBeforeBar, m_dpi) : bar.right;
    ::SetWindowPos(m_status, nullptr, 0, 0, right - status.left, status.bottom - status.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK StatusRow::WatchBar(HWND bar, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self)
{
    if (message == WM_WINDOWPOSCHANGED) {
        const WINDOWPOS& change = *reinterpret_cast<const WINDOWPOS*>(lParam);
        if ((change.flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW)) || !(change.flags & SWP_NOMOVE) ||
            !(change.flags & SWP_NOSIZE))
            reinterpret_cast<const StatusRow*>(self)->Fit();
    } else if (message == WM_NCDESTROY) {
        ::RemoveWindowSubclass(bar, WatchBar, 0);
    }
    return ::DefSubclassProc(bar, message, wParam, lParam);
}
