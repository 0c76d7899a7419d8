// The status line and the progress bar share the row above the transfer
// buttons. Whoever runs a batch shows and hides the bar; the status line takes
// the whole row whenever the bar is hidden and ends beside it while it shows.
// The bar is watched by subclassing it, so that every show, hide and move of
// it (the layout moves it after the status line) fits the status line again.
#pragma once

#include "framework/DpiScale.h"

#include <windows.h>

class StatusRow {
public:
    StatusRow() = default;
    ~StatusRow();
    StatusRow(const StatusRow&) = delete;
    StatusRow& operator=(const StatusRow&) = delete;

    void Bind(HWND dialog);
    // The main window's DPI, which the gap before the bar follows.
    void SetDpi(int dpi) { m_dpi = dpi; }
    void Fit() const;

private:
    static LRESULT CALLBACK WatchBar(HWND bar, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                     DWORD_PTR self);

    HWND m_dialog = nullptr;
    HWND m_status = nullptr;
    HWND m_bar = nullptr;
    int m_dpi = kDefaultDpi;
};
