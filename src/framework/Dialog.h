// A dialog made from a template, run modally or created modeless (the tests use
// modeless dialogs). `this` lives in DWLP_USER; the virtual handlers get every
// message. Exceptions never unwind through user32: a FileError is shown as
// "%1 was not found." and ends the handler, anything else ends it quietly.
#pragma once

#include <windows.h>

#include <string>

class Dialog {
public:
    explicit Dialog(UINT templateId);
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    INT_PTR RunModal(HWND owner);
    HWND CreateModeless(HWND owner);

    HWND Handle() const { return m_hwnd; }
    HWND Item(int id) const { return ::GetDlgItem(m_hwnd, id); }
    UINT TemplateId() const { return m_templateId; }

    // Ends a modal dialog with the result; a modeless one is destroyed.
    void End(INT_PTR result);
    bool HasEnded() const { return m_ended; }
    INT_PTR Result() const { return m_result; }

protected:
    // WM_INITDIALOG. Return TRUE to let the dialog manager set the focus.
    virtual BOOL OnInit() { return TRUE; }
    // WM_COMMAND. Return true when handled.
    virtual bool OnCommand(WORD id, WORD code, HWND control);
    // WM_NOTIFY. Return true when handled, with the notification's result.
    virtual bool OnNotify(NMHDR* header, LRESULT& result);
    // Every other message. Return true when handled, with the result.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result);
    // Enter and Esc (and the close box when WM_CLOSE is not handled).
    virtual void OnOK() { End(IDOK); }
    virtual void OnCancel() { End(IDCANCEL); }

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_hwnd = nullptr;
    UINT m_templateId;
    bool m_modal = false;
    bool m_ended = false;
    INT_PTR m_result = 0;
};
