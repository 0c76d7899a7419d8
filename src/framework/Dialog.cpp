#include "framework/Dialog.h"

#include "framework/FileError.h"
#include "framework/SystemMessage.h"
#include "framework/UiSeam.h"

Dialog::Dialog(UINT templateId) : m_templateId(templateId) {}

Dialog::~Dialog()
{
    if (m_hwnd && !m_modal) {
        ::SetWindowLongPtrW(m_hwnd, DWLP_USER, 0);
        ::DestroyWindow(m_hwnd);
    }
}

INT_PTR Dialog::RunModal(HWND owner)
{
    m_modal = true;
    m_ended = false;
    const INT_PTR result = ::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_templateId),
                                             owner, DialogProc, reinterpret_cast<LPARAM>(this));
    m_hwnd = nullptr;
    return result;
}

HWND Dialog::CreateModeless(HWND owner)
{
    m_modal = false;
    m_ended = false;
    return ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_templateId), owner,
                                DialogProc, reinterpret_cast<LPARAM>(this));
}

void Dialog::End(INT_PTR result)
{
    m_ended = true;
    m_result = result;
    if (m_modal) {
        ::EndDialog(m_hwnd, result);
    } else if (m_hwnd) {
        HWND hwnd = m_hwnd;
        ::SetWindowLongPtrW(hwnd, DWLP_USER, 0);
        m_hwnd = nullptr;
        ::DestroyWindow(hwnd);
    }
}

bool Dialog::OnCommand(WORD id, WORD code, HWND)
{
    if (code == BN_CLICKED || code == 0) {
        if (id == IDOK) {
            OnOK();
            return true;
        }
        if (id == IDCANCEL) {
            OnCancel();
            return true;
        }
    }
    return false;
}

bool Dialog::OnNotify(NMHDR*, LRESULT&) { return false; }

bool Dialog::OnMessage(UINT, WPARAM, LPARAM, INT_PTR&) { return false; }

INT_PTR CALLBACK Dialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Dialog* self = nullptr;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<Dialog*>(lParam);
        self->m_hwnd = hwnd;
        ::SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
    } else {
        self = reinterpret_cast<Dialog*>(::GetWindowLongPtrW(hwnd, DWLP_USER));
    }
    if (!self)
        return FALSE;
    try {
        return self->Handle(message, wParam, lParam);
    } catch (const FileError& error) {
        Ui().ShowMessage(hwnd, DescribeFileError(error), L"Velmo FTP Tandril", MB_OK | MB_ICONEXCLAMATION);
    } catch (...) {
        // Nothing may unwind through the dialog manager; the handler simply ends.
    }
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

INT_PTR Dialog::Handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInit();
    case WM_COMMAND:
        return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)) ? TRUE : FALSE;
    case WM_NOTIFY: {
        LRESULT result = 0;
        if (OnNotify(reinterpret_cast<NMHDR*>(lParam), result)) {
            ::SetWindowLongPtrW(m_hwnd, DWLP_MSGRESULT, result);
            return TRUE;
        }
        return FALSE;
    }
    default: {
        INT_PTR result = 0;
        if (OnMessage(message, wParam, lParam, result))
            return result;
        return FALSE;
    }
    }
}
