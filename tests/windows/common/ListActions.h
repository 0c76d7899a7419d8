// A user's keys, header clicks, in-place renames and right-button menus on a
// list of the main window, sent as the messages they produce: keys go to the
// list itself, which reports them to the window as LVN_KEYDOWN.
#pragma once

#include "common/TestEnvironment.h"
#include "framework/ListView.h"

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace testenv {

// The key pressed in the list, with Ctrl held when asked (the thread's
// keyboard state is what GetKeyState reads).
inline void PressKey(const ListView& list, WORD key, bool control = false)
{
    BYTE state[256] = {};
    ::GetKeyboardState(state);
    state[VK_CONTROL] = control ? 0x80 : 0;
    ::SetKeyboardState(state);
    ::SendMessageW(list.Handle(), WM_KEYDOWN, key, 0);
    state[VK_CONTROL] = 0;
    ::SetKeyboardState(state);
}

// Selects the one row and puts the mark on it (-1: nothing selected).
inline void SelectOnlyRow(const ListView& list, int row)
{
    for (int i = 0; i < list.Count(); ++i)
        list.Select(i, i == row);
    list.SetSelectionMark(row);
}

// A click on the column's header, as the list reports it.
inline void ClickHeader(HWND window, const ListView& list, int column)
{
    NMLISTVIEW click = {};
    click.hdr = {list.Handle(), static_cast<UINT_PTR>(list.Id()), static_cast<UINT>(LVN_COLUMNCLICK)};
    click.iItem = -1;
    click.iSubItem = column;
    ::SendMessageW(window, WM_NOTIFY, list.Id(), reinterpret_cast<LPARAM>(&click));
}

// The header's arrow on the column: 1 up, -1 down, 0 none.
inline int SortArrow(const ListView& list, int column)
{
    HDITEMW item = {};
    item.mask = HDI_FORMAT;
    ::SendMessageW(reinterpret_cast<HWND>(list.Send(LVM_GETHEADER)), HDM_GETITEMW, column,
                   reinterpret_cast<LPARAM>(&item));
    return (item.fmt & HDF_SORTUP) ? 1 : (item.fmt & HDF_SORTDOWN) ? -1 : 0;
}

// F2 on the row alone selected, the name typed into the edit that opens, and
// Enter. The texts of the messages that came up meanwhile; nothing when no
// edit opened.
// settle waits for the work the rename started (the FTP side's).
inline std::optional<std::vector<std::wstring>> RenameInPlace(const ListView& list, int row,
                                                              const std::wstring& newName, RecordingUi& ui,
                                                              const std::function<void()>& settle = {})
{
    SelectOnlyRow(list, row);
    ui.messages.clear();
    PressKey(list, VK_F2);
    const HWND edit = list.EditControl();
    if (!edit)
        return std::nullopt;
    ::SetWindowTextW(edit, newName.c_str());
    ::SendMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
    if (settle)
        settle();
    std::vector<std::wstring> texts;
    for (const RecordingUi::Message& message : ui.messages)
        texts.push_back(message.text);
    return texts;
}

// The context menu the window shows for the list, closed again at once:
// whether each of its commands was enabled, in menu order (separators left out).
inline std::vector<bool> ContextMenuEnabled(HWND window, const ListView& list)
{
    static std::vector<bool> enabled;
    enabled.clear();
    const SUBCLASSPROC record = [](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                   DWORD_PTR) -> LRESULT {
        if (message == WM_INITMENUPOPUP) {
            const HMENU menu = reinterpret_cast<HMENU>(wParam);
            for (int i = 0; i < ::GetMenuItemCount(menu); ++i)
                if (::GetMenuItemID(menu, i) != 0)
                    enabled.push_back((::GetMenuState(menu, i, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED)) == 0);
        }
        return ::DefSubclassProc(hwnd, message, wParam, lParam);
    };
    ::SetWindowSubclass(window, record, 1, 0);
    // Waiting in the queue, the Esc closes the menu as soon as it runs.
    ::PostMessageW(window, WM_KEYDOWN, VK_ESCAPE, 0);
    ::SendMessageW(window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list.Handle()), MAKELPARAM(-1, -1));
    ::RemoveWindowSubclass(window, record, 1);
    return enabled;
}

}  // namespace testenv
