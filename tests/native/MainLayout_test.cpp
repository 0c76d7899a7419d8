#include "app/MainLayout.h"

#include <gtest/gtest.h>

namespace {
ControlPlacement Find(const MainLayout& layout, int id)
{
    for (const ControlPlacement& c : layout.controls)
        if (c.id == id)
            return c;
    ADD_FAILURE() << "no control " << id;
    return {};
}
}  // namespace

TEST(MainLayout, PlacesTheBottomButtonsAndColumnAroundTheCentre)
{
    struct Case { int w, h, transferX, toLocalX, toFtpX, column, ftpBrowseX, statusWidth; };
    const Case cases[] = {
        {1000, 700, 395, 360, 605, 228, 882, 986},
        {1001, 700, 395, 360, 605, 228, 883, 987},  // odd widths round M down
        {700, 500, 245, 210, 455, 78, 582, 686},    // the columns still fit the list
        {0, 0, -105, -140, 105, 0, -118, -14},      // minimised: client 0 x 0
    };
    for (const Case& c : cases) {
        const MainLayout layout = ComputeMainLayout(c.w, c.h, kDefaultDpi, 80 + 132);
        EXPECT_EQ(Find(layout, 1002).x, c.transferX) << c.w;
        EXPECT_EQ(Find(layout, 1010).x, c.toLocalX) << c.w;
        EXPECT_EQ(Find(layout, 1017).x, c.toFtpX) << c.w;
        EXPECT_EQ(layout.nameColumnWidth, c.column) << c.w;
        EXPECT_EQ(Find(layout, 1006).x, c.ftpBrowseX) << c.w;
        EXPECT_EQ(Find(layout, 1009).width, c.statusWidth) << c.w;
    }
}

TEST(MainLayout, MovesAllSeventeenControlsInTheirOrder)
{
    const MainLayout layout = ComputeMainLayout(800, 600);
    std::vector<int> ids;
    for (const ControlPlacement& c : layout.controls)
        ids.push_back(c.id);
    EXPECT_EQ(ids, (std::vector<int>{1002, 1010, 1017, 1009, 1018, 1015, 1003, 1004, 1014, 1011, 1007,
                                      1016, 1005, 1006, 1013, 1012, 1008}));
    const ControlPlacement ftpList = Find(layout, 1008);
    EXPECT_EQ(ftpList.x, 420);
    EXPECT_EQ(ftpList.height, 429);
}

TEST(MainLayout, ScalesTheFixedPixelsWithTheDpiAndKeepsTheCentre)
{
    struct Case { int dpi, w, h; std::vector<ControlPlacement> boxes; int column; };
    const Case cases[] = {
        {144, 1500, 900, {{1002, 592, 832, 314, 51}, {1017, 908, 832, 51, 51}, {1009, 11, 793, 1478, 36},
                          {1018, 1114, 799, 375, 24}, {1006, 1323, 42, 152, 30}, {1007, 30, 83, 693, 643}}, 342},
        {120, 1001, 700, {{1002, 369, 644, 261, 43}, {1017, 631, 644, 43, 43}, {1009, 9, 611, 983, 30},
                          {1006, 853, 35, 126, 25}, {1007, 25, 69, 452, 486}}, 159},
    };
    for (const Case& c : cases) {
        const MainLayout layout = ComputeMainLayout(c.w, c.h, c.dpi, ScaleForDpi(80 + 132, c.dpi));
        for (const ControlPlacement& want : c.boxes) {
            const ControlPlacement got = Find(layout, want.id);
            EXPECT_EQ(std::vector<int>({got.x, got.y, got.width, got.height}),
                      std::vector<int>({want.x, want.y, want.width, want.height}))
                << "control " << want.id << " at " << c.dpi << " DPI";
        }
        EXPECT_EQ(layout.nameColumnWidth, c.column) << c.dpi;
    }
}

TEST(MainLayout, AtTheMinimumSizeNoControlsOverlapAtAnyScale)
{
    for (int dpi : {96, 120, 144, 168, 192, 288}) {
        const ClientSize minimum = MinimumClientSize(dpi);
        const MainLayout layout = ComputeMainLayout(minimum.width, minimum.height, dpi);
        for (const ControlPlacement& a : layout.controls) {
            EXPECT_TRUE(a.x >= 0 && a.y >= 0 && a.x + a.width <= minimum.width && a.y + a.height <= minimum.height)
                << "control " << a.id << " leaves the client at " << dpi << " DPI";
            for (const ControlPlacement& b : layout.controls) {
                // The group boxes frame their pane's controls; the status line
                // gives way to the progress bar while it shows.
                if (a.id >= b.id || a.id == 1015 || a.id == 1016 || b.id == 1015 || b.id == 1016 ||
                    (a.id == 1009 && b.id == 1018))
                    continue;
                const bool apart = a.x + a.width <= b.x || b.x + b.width <= a.x || a.y + a.height <= b.y ||
                                   b.y + b.height <= a.y;
                EXPECT_TRUE(apart) << a.id << " overlaps " << b.id << " at " << dpi << " DPI";
            }
        }
    }
}
