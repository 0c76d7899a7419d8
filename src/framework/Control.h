// A non-owning handle to a control of a dialog, with one-line helpers.
#pragma once

#include <windows.h>

#include <string>

class Control {
public:
    Control() = default;
    explicit Control(HWND hwnd) : m_hwnd(hwnd) {}

    void Attach(HWND dialog, int id) { m_hwnd = ::GetDlgItem(dialog, id); }
    HWND Handle() const { return m_hwnd; }
    int Id() const { return ::GetDlgCtrlID(m_hwnd); }

    std::wstring Text() const;
    void SetText(const std::wstring& text) const { ::SetWindowTextW(m_hwnd, text.c_str()); }
    void Enable(bool enable) const { ::EnableWindow(m_hwnd, enable ? TRUE : FALSE); }
    bool IsEnabled() const { return ::IsWindowEnabled(m_hwnd) != FALSE; }
    void Show(bool show) const { ::ShowWindow(m_hwnd, show ? SW_SHOW : SW_HIDE); }
    bool IsVisible() const { return (::GetWindowLongW(m_hwnd, GWL_STYLE) & WS_VISIBLE) != 0; }
    bool IsChecked() const { return Send(BM_GETCHECK) == BST_CHECKED; }
    void SetChecked(bool checked) const { Send(BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED); }
    void Move(int x, int y, int width, int height) const { ::MoveWindow(m_hwnd, x, y, width, height, TRUE); }
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageW(m_hwnd, message, wParam, lParam);
    }

private:
    HWND m_hwnd = nullptr;
};
