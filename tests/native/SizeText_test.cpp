#include "panes/SizeText.h"

#include <gtest/gtest.h>

TEST(SizeText, ChoosesUnitAndRoundsThroughSinglePrecision)
{
    constexpr std::uint64_t kGiga = 1073741824ull;
    struct Case { std::uint64_t bytes; const wchar_t* number; int unit; };
    const Case cases[] = {
        {0, L"0 ", 30},
        {1023, L"1023 ", 30},
        {1024, L"1.00 ", 35},
        {1536, L"1.50 ", 35},
        {1048575, L"1024.00 ", 35},  // single precision carries it up; the unit stays
        {1048576, L"1.00 ", 40},
        {123456789, L"117.74 ", 40},
        {1073741823, L"1024.00 ", 40},
        {kGiga, L"1.00 ", 45},
        {5 * kGiga, L"5.00 ", 45},
        {1024 * kGiga, L"1024.00 ", 45},
        {1610612736, L"1.50 ", 45},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SizeNumberText(c.bytes), c.number) << c.bytes;
        EXPECT_EQ(static_cast<int>(SizeUnitText(c.bytes)), c.unit) << c.bytes;
    }
    EXPECT_EQ(FormatSizeText(1536, L"KB"), L"1.50 KB");
}
