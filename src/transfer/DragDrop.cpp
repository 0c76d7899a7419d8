#include "transfer/DragDrop.h"

#include "res/resource.h"
#include "transfer/TransferCommand.h"

DragDrop::DragDrop(TransferCommand& transfer) : m_transfer(transfer) {}

DragDrop::~DragDrop()
{
    if (m_dragging)
        ImageList_EndDrag();
    if (m_image)
        ImageList_Destroy(m_image);
}

void DragDrop::Bind(HWND dialog)
{
    m_dialog = dialog;
    m_localList = ::GetDlgItem(dialog, IDC_LOCAL_LIST);
    m_ftpList = ::GetDlgItem(dialog, IDC_FTP_LIST);
}

void DragDrop::Begin(const NMLISTVIEW& notification)
{
    const HWND source = notification.hdr.hwndFrom;
    if (!IsList(source))
        return;
    if (m_dragging)
        EndImageDrag();
    if (source == m_localList)
        m_transfer.SetUploadDirection();
    else
        m_transfer.SetDownloadDirection();

    // The image of the one item under the pointer, whatever the selection; the
    // list draws it with its row icon, which has the size of the DPI already.
    POINT origin = {0, 0};
    m_image = reinterpret_cast<HIMAGELIST>(
        ::SendMessageW(source, LVM_CREATEDRAGIMAGE, notification.iItem, reinterpret_cast<LPARAM>(&origin)));
    const int hotSpot = ScaleForDpi(10, m_dpi);
    ImageList_BeginDrag(m_image, 0, hotSpot, hotSpot);
    POINT start = notification.ptAction;
    ::ClientToScreen(source, &start);
    ImageList_DragEnter(::GetDesktopWindow(), start.x, start.y);

    m_dragging = true;
    m_source = source;
    m_underPointer = source;
    ::SetCapture(m_dialog);
}

void DragDrop::MouseMove(POINT client)
{
    if (!m_dragging)
        return;
    const POINT screen = ToScreen(client);
    ImageList_DragMove(screen.x, screen.y);
    // Hidden while the windows below are looked at and redrawn, so the image
    // leaves no trail on them.
    ImageList_DragShowNolock(FALSE);
    const HWND window = ::WindowFromPoint(screen);
    if (window != m_underPointer && IsList(m_underPointer))
        ClearDropHighlight(m_underPointer);
    m_underPointer = window;
    ImageList_DragShowNolock(TRUE);
}

void DragDrop::ButtonUp(POINT client)
{
    if (!m_dragging)
        return;
    // Cleared before the capture goes: releasing it sends WM_CAPTURECHANGED,
    // which must not read as the capture being taken away.
    m_dragging = false;
    ::ReleaseCapture();
    EndImageDrag();
    const HWND window = ::WindowFromPoint(ToScreen(client));
    if (!IsList(window))
        return;
    m_underPointer = window;
    m_transfer.TransferSelection();
}

void DragDrop::CaptureLost()
{
    if (!m_dragging)
        return;
    m_dragging = false;
    EndImageDrag();
    if (IsList(m_underPointer))
        ClearDropHighlight(m_underPointer);
}

void DragDrop::EndImageDrag()
{
    ImageList_DragLeave(::GetDesktopWindow());
    ImageList_EndDrag();
    if (m_image) {
        ImageList_Destroy(m_image);
        m_image = nullptr;
    }
}

void DragDrop::ClearDropHighlight(HWND list) const
{
    LVITEMW item = {};
    item.stateMask = LVIS_DROPHILITED;
    item.state = 0;
    // Item -1 applies the state to every item of the list.
    ::SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
    const LRESULT count = ::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0);
    if (count > 0)
        ::SendMessageW(list, LVM_REDRAWITEMS, 0, count - 1);
    ::UpdateWindow(list);
}

POINT DragDrop::ToScreen(POINT client) const
{
    ::ClientToScreen(m_dialog, &client);
    return client;
}
