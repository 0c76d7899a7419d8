// The main window at 144 DPI (150 %, set by run_at_144dpi.sh): the layout
// rules, the minimum size, the row icons and the menu bitmaps 1.5 times as
// large, the columns fitting their lists, and a move to a display of 192 DPI.
#include "mainwindow/MainWindowTestSupport.h"

#include "framework/WindowDpi.h"
#include "res/resource.h"

#include <commctrl.h>

using namespace mainwindow;

namespace {

class MainWindowAt144Dpi : public MainWindowTest {
protected:
    void SetUp() override
    {
        Open(QuietSettings());
        ASSERT_EQ(WindowDpi(Hwnd()), 144) << "the test process does not run at 144 DPI";
    }
    // Each box: id, x, y, width, height in client pixels.
    void ExpectBoxes(const std::vector<std::vector<long>>& boxes) const
    {
        for (const std::vector<long>& box : boxes) {
            const RECT r = Placement(static_cast<int>(box[0]));
            EXPECT_EQ(std::vector<long>({box[0], r.left, r.top, r.right - r.left, r.bottom - r.top}), box);
        }
    }
    // Row icon and menu bitmap sizes, and the columns of both lists.
    void ExpectImagesAndColumns(int icon, int bitmap, int dpi = 144) const
    {
        ExpectColumnsFit(dpi);
        for (int id : {IDC_LOCAL_LIST, IDC_FTP_LIST}) {
            const ListView list(Item(id));
            int width = 0, height = 0;
            ImageList_GetIconSize(reinterpret_cast<HIMAGELIST>(list.Send(LVM_GETIMAGELIST, LVSIL_SMALL)), &width, &height);
            EXPECT_EQ(std::vector<int>({width, height}), std::vector<int>({icon, icon}));
        }
        MENUITEMINFOW item = {};
        item.cbSize = sizeof(item);
        item.fMask = MIIM_CHECKMARKS;
        ::GetMenuItemInfoW(::GetMenu(Hwnd()), IDM_LANGUAGE, FALSE, &item);
        BITMAP info = {};
        ::GetObjectW(item.hbmpUnchecked, sizeof(info), &info);
        EXPECT_EQ(info.bmWidth, bitmap);
    }
};

}  // namespace

TEST_F(MainWindowAt144Dpi, ScalesTheRulesAroundTheCentreTheImagesAndTheColumns)
{
    ExpectImagesAndColumns(24, 18);
    ExpectRoomForNames(144);
    ::SendMessageW(Hwnd(), WM_SIZE, SIZE_RESTORED, MAKELPARAM(1200, 800));
    // M = 600; the fixed pixels of the rules times 1.5, halves rounded away from M.
    ExpectBoxes({{IDC_TRANSFER, 442, 732, 314, 51}, {IDC_TO_LOCAL, 390, 732, 51, 51}, {IDC_TO_FTP, 758, 732, 51, 51},
                 {IDC_STATUS, 11, 693, 1178, 36}, {IDC_PROGRESS, 889, 699, 300, 24}, {IDC_LOCAL_BROWSE, 423, 42, 152, 30}, {IDC_FTP_LIST, 630, 83, 543, 543}});
    ExpectImagesAndColumns(24, 18);
}

TEST_F(MainWindowAt144Dpi, KeepsAMinimumSizeScaledToTheDpi)
{
    ::MoveWindow(Hwnd(), 0, 0, 100, 100, TRUE);
    RECT client = {};
    ::GetClientRect(Hwnd(), &client);
    EXPECT_EQ(client.right, 840);
    EXPECT_EQ(client.bottom, 450);
}

TEST_F(MainWindowAt144Dpi, MovingToA192DpiDisplayTakesTheSuggestedRectangleAndLaysOutAgain)
{
    RECT suggested = {20, 10, 1220, 910};
    ::SendMessageW(Hwnd(), WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
    RECT rect = {};
    ::GetWindowRect(Hwnd(), &rect);
    EXPECT_TRUE(::EqualRect(&rect, &suggested));
    ::GetClientRect(Hwnd(), &rect);
    const long m = rect.right / 2, h = rect.bottom;
    ExpectBoxes({{IDC_TRANSFER, m - 210, h - 90, 418, 68}, {IDC_FTP_LIST, m + 40, 110, m - 76, h - 342}});
    ExpectImagesAndColumns(32, 24, 192);
}
