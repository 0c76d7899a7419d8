// What the FTP pane's and the profile dialog's tests share: the texts a
// control was given one after the other (a status line changes several times
// within one command), and a folder moved out of the way for one test.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

namespace panetest {

// Records every text set on a control while it lives.
class TextRecorder {
public:
    explicit TextRecorder(HWND control) : m_control(control)
    {
        ::SetWindowSubclass(m_control, Proc, reinterpret_cast<UINT_PTR>(this), 0);
    }
    ~TextRecorder() { ::RemoveWindowSubclass(m_control, Proc, reinterpret_cast<UINT_PTR>(this)); }
    TextRecorder(const TextRecorder&) = delete;
    TextRecorder& operator=(const TextRecorder&) = delete;

    int Count(const std::wstring& text) const
    {
        int count = 0;
        for (const std::wstring& t : texts)
            count += t == text ? 1 : 0;
        return count;
    }

    std::vector<std::wstring> texts;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR)
    {
        if (message == WM_SETTEXT)
            reinterpret_cast<TextRecorder*>(id)->texts.push_back(reinterpret_cast<const wchar_t*>(lParam));
        return ::DefSubclassProc(hwnd, message, wParam, lParam);
    }

    HWND m_control;
};

// Renames a folder for the duration of a test and puts it back afterwards.
class FolderAway {
public:
    explicit FolderAway(const std::wstring& folder) : m_folder(folder), m_away(folder + L"-away")
    {
        m_moved = ::MoveFileW(m_folder.c_str(), m_away.c_str()) != FALSE;
    }
    ~FolderAway()
    {
        if (m_moved)
            ::MoveFileW(m_away.c_str(), m_folder.c_str());
    }
    FolderAway(const FolderAway&) = delete;
    FolderAway& operator=(const FolderAway&) = delete;

    bool Moved() const { return m_moved; }

private:
    std::wstring m_folder;
    std::wstring m_away;
    bool m_moved = false;
};

}  // namespace panetest
