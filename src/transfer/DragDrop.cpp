#include "transfer/DragDrop.h"

#include "transfer/TransferCommand.h"

DragDrop::DragDrop(TransferCommand& transfer) : m_transfer(transfer) {}

DragDrop::~DragDrop()
{
    if (m_image)
        ImageList_Destroy(m_image);
}

void DragDrop::Bind(HWND dialog) { m_dialog = dialog; }

void DragDrop::Begin(const NMLISTVIEW&) {}

void DragDrop::MouseMove(POINT) {}

void DragDrop::ButtonUp(POINT) {}

void DragDrop::CaptureLost() {}
