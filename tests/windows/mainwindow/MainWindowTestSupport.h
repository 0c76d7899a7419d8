// The main window as the tests of its layout, closing and menu commands use it:
// opened modeless over a prepared settings file, driven by the messages a
// user's clicks, keys and menu choices produce.
#pragma once

#include "common/MainWindowFixture.h"
#include "common/SettingsFixture.h"
#include "framework/DpiScale.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <string>

namespace mainwindow {

using Settings = testenv::SettingValues;

// Settings that open an empty window: English, no profile, no local folder.
inline Settings QuietSettings(Settings more = {})
{
    Settings settings = {{L"Language", L"[1033]"}, {L"FTP Data", L"---"}, {L"Local Folder Data", L"---"}};
    settings.insert(settings.end(), more.begin(), more.end());
    return settings;
}

// The shared main-window fixture, with the placement of controls its layout
// tests measure.
class MainWindowTest : public testenv::MainWindowFixture {
protected:
    // The control's rectangle in the window's client coordinates.
    RECT Placement(int id) const
    {
        RECT rect = {};
        ::GetWindowRect(Item(id), &rect);
        ::MapWindowPoints(nullptr, Hwnd(), reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }
    // The three columns of both lists fit beside a vertical scroll bar (no
    // list scrolls sideways), the name column taking the rest.
    void ExpectColumnsFit(int dpi = kDefaultDpi) const
    {
        for (int id : {IDC_LOCAL_LIST, IDC_FTP_LIST}) {
            const ListView list(Item(id));
            const int room = Placement(id).right - Placement(id).left - 2 * ::GetSystemMetrics(SM_CXEDGE) -
                             ::GetSystemMetrics(SM_CXVSCROLL);
            const int columns = list.ColumnWidth(0) + list.ColumnWidth(1) + list.ColumnWidth(2);
            EXPECT_TRUE(columns <= room && columns >= room - ScaleForDpi(22, dpi) &&
                        !(::GetWindowLongW(list.Handle(), GWL_STYLE) & WS_HSCROLL))
                << id << ": " << columns << " of " << room;
        }
    }
    // Opened inside the work area, with room for "Quarterly report 2026.xlsx" and its icon unless it spans its width.
    void ExpectRoomForNames(int dpi = kDefaultDpi) const
    {
        MONITORINFO monitor = {sizeof(monitor), {}, {}, 0};
        RECT window = {}, inside = {};
        ::GetMonitorInfoW(::MonitorFromWindow(Hwnd(), MONITOR_DEFAULTTONEAREST), &monitor);
        ::GetWindowRect(Hwnd(), &window);
        EXPECT_TRUE(::IntersectRect(&inside, &window, &monitor.rcWork) && ::EqualRect(&inside, &window));
        const int name = ListView(Item(IDC_LOCAL_LIST)).ColumnWidth(0);
        EXPECT_TRUE(name >= ScaleForDpi(200, dpi) || window.right - window.left == monitor.rcWork.right - monitor.rcWork.left) << name;
    }
};

}  // namespace mainwindow
