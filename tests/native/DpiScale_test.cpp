#include "framework/DpiScale.h"

#include <gtest/gtest.h>

// The rounding of ScaleForDpi is covered by the scaled main layout.
TEST(DpiScale, PicksTheNearestDrawnSizeAndTheLargerOfTwo)
{
    const std::vector<int> drawn = {12, 15, 18, 24};
    const std::pair<int, int> cases[] = {{12, 12}, {10, 12}, {16, 15}, {17, 18}, {21, 24}, {20, 18}, {36, 24}};
    for (const auto& [wanted, picked] : cases)
        EXPECT_EQ(NearestDrawnSize(drawn, wanted), picked) << wanted;
    EXPECT_EQ(RescaleForDpi(150, 144, 96), 100);
}
