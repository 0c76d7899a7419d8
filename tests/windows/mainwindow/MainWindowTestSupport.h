// The main window as the tests of its layout, closing and menu commands use it:
// opened modeless over a prepared settings file, driven by the messages a
// user's clicks, keys and menu choices produce.
#pragma once

#include "app/CFTPTandrilDlg.h"
#include "common/SettingsFixture.h"
#include "common/TestEnvironment.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace mainwindow {

using Settings = std::vector<std::pair<std::wstring, std::wstring>>;

// Settings that open an empty window: English, no profile, no local folder.
inline Settings QuietSettings(Settings more = {})
{
    Settings settings = {{L"Language", L"[1033]"}, {L"FTP Data", L"---"}, {L"Local Folder Data", L"---"}};
    settings.insert(settings.end(), more.begin(), more.end());
    return settings;
}

class MainWindowTest : public ::testing::Test {
protected:
    void Open(const Settings& settings)
    {
        testenv::WriteUserSettings(settings);
        window = std::make_unique<CFTPTandrilDlg>();
        ASSERT_NE(window->CreateModeless(nullptr), nullptr);
    }

    HWND Hwnd() const { return window->Handle(); }
    HWND Item(int id) const { return window->Item(id); }
    std::wstring Text(int id) const { return Control(Item(id)).Text(); }
    std::wstring Translated(int number) const { return window->Texts().Text(number); }

    // A button click, as the button itself reports it.
    void Click(int id) const
    {
        ::SendMessageW(Hwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Item(id)));
    }
    // A menu choice, or Enter / Esc (IDOK / IDCANCEL) from the dialog manager.
    void Command(int id) const { ::SendMessageW(Hwnd(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }

    // The control's rectangle in the window's client coordinates.
    RECT Placement(int id) const
    {
        RECT rect = {};
        ::GetWindowRect(Item(id), &rect);
        ::MapWindowPoints(nullptr, Hwnd(), reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }

    testenv::RecordingUi ui;
    std::unique_ptr<CFTPTandrilDlg> window;
};

}  // namespace mainwindow
