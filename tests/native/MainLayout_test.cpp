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
        {700, 500, 245, 210, 455, 100, 582, 686},   // the name column at its minimum
        {0, 0, -105, -140, 105, 100, -118, -14},    // minimised: client 0 x 0
    };
    for (const Case& c : cases) {
        const MainLayout layout = ComputeMainLayout(c.w, c.h);
        EXPECT_EQ(Find(layout, 1002).x, c.transferX) << c.w;
        EXPECT_EQ(Find(layout, 1010).x, c.toLocalX) << c.w;
        EXPECT_EQ(Find(layout, 1017).x, c.toFtpX) << c.w;
        EXPECT_EQ(layout.nameColumnWidth, c.column) << c.w;
        EXPECT_EQ(Find(layout, 1006).x, c.ftpBrowseX) << c.w;
        EXPECT_EQ(Find(layout, 1009).width, c.statusWidth) << c.w;
    }
}

TEST(MainLayout, MovesAllSixteenControlsInTheirOrder)
{
    const MainLayout layout = ComputeMainLayout(800, 600);
    std::vector<int> ids;
    for (const ControlPlacement& c : layout.controls)
        ids.push_back(c.id);
    EXPECT_EQ(ids, (std::vector<int>{1002, 1010, 1017, 1009, 1015, 1003, 1004, 1014, 1011, 1007,
                                      1016, 1005, 1006, 1013, 1012, 1008}));
    const ControlPlacement ftpList = Find(layout, 1008);
    EXPECT_EQ(ftpList.x, 420);
    EXPECT_EQ(ftpList.height, 429);
}
