// Dragging rows from one list and releasing them over a list: the start sets
// the transfer direction from the list it starts in, the release over either
// list runs the transfer command. A plain mouse drag inside the main window.
#pragma once

#include "framework/DpiScale.h"

#include <windows.h>
#include <commctrl.h>

class TransferCommand;

class DragDrop {
public:
    explicit DragDrop(TransferCommand& transfer);
    ~DragDrop();
    DragDrop(const DragDrop&) = delete;
    DragDrop& operator=(const DragDrop&) = delete;

    void Bind(HWND dialog);
    // The main window's DPI, which the drag image's hot spot follows.
    void SetDpi(int dpi) { m_dpi = dpi; }

    // LVN_BEGINDRAG of list 1007 or 1008.
    void Begin(const NMLISTVIEW& notification);
    // WM_MOUSEMOVE and WM_LBUTTONUP of the main window, client coordinates.
    void MouseMove(POINT client);
    void ButtonUp(POINT client);
    // WM_CAPTURECHANGED: another window took the mouse; the drag ends quietly.
    void CaptureLost();

    bool IsDragging() const { return m_dragging; }

private:
    bool IsList(HWND window) const { return window && (window == m_localList || window == m_ftpList); }
    // Leaves the image drag and destroys the drag image.
    void EndImageDrag();
    void ClearDropHighlight(HWND list) const;
    POINT ToScreen(POINT client) const;

    TransferCommand& m_transfer;
    HWND m_dialog = nullptr;
    HWND m_localList = nullptr;
    HWND m_ftpList = nullptr;
    bool m_dragging = false;
    HWND m_underPointer = nullptr;
    HWND m_source = nullptr;
    HIMAGELIST m_image = nullptr;
    int m_dpi = kDefaultDpi;
};
