// The real main window as the window tests open it: modeless over a written
// user settings copy, driven by the messages a user's clicks, menu choices
// and double-clicks produce, and read back through its controls and menus.
#pragma once

#include "app/CFTPTandrilDlg.h"
#include "common/ProgramParts.h"
#include "common/TestEnvironment.h"
#include "framework/ListView.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace testenv {

using SettingValues = std::vector<std::pair<std::wstring, std::wstring>>;

class MainWindowFixture : public ::testing::Test {
protected:
    // Writes the user's settings copy with these values and opens the window over it.
    void Open(const SettingValues& settings);

    HWND Hwnd() const { return window->Handle(); }
    HWND Item(int id) const { return window->Item(id); }
    std::wstring Text(int id) const { return Control(Item(id)).Text(); }
    void SetText(int id, const std::wstring& text) const { Control(Item(id)).SetText(text); }
    bool Visible(int id) const { return Control(Item(id)).IsVisible(); }
    std::wstring Translated(TextId text) const { return window->Texts().Text(text); }
    // By the language file's number, for tables of controls and their texts.
    std::wstring Translated(int number) const { return Translated(static_cast<TextId>(number)); }

    // Each of these waits for the FTP work it started, letting the window's
    // messages through meanwhile.
    // A button click, as the button itself reports it.
    void Click(int id) const;
    // A menu choice, or Enter / Esc (IDOK / IDCANCEL) from the dialog manager.
    void Command(int id) const;
    // Selects the row and makes it the selection mark, as a click does (-1:
    // no row), then sends the list's double-click notification.
    void DoubleClick(int listId, int row) const;
    void WaitForFtpWork() const;

    // Row index of the name in column 0; -1 when absent.
    static int RowOf(const ListView& list, const std::wstring& name);
    int RowOf(int listId, const std::wstring& name) const { return RowOf(ListView(Item(listId)), name); }
    // Column 0 of every row, top to bottom.
    static std::vector<std::wstring> RowNames(const ListView& list);
    std::vector<std::wstring> RowNames(int listId) const { return RowNames(ListView(Item(listId))); }

    RecordingUi ui;
    // Waiting for FTP work lets messages through, whatever the caller.
    mutable ProgramParts parts;
    std::unique_ptr<CFTPTandrilDlg> window;
};

// The text of a menu item, by position or command as the flags say.
std::wstring MenuText(HMENU menu, UINT item, UINT flags);
// The text the tooltip control holds for the owner's control.
std::wstring TooltipText(HWND tooltip, HWND owner, HWND control);
// How many About items the window's system menu has.
int CountSystemMenuAbout(HWND window);

}  // namespace testenv
