#include "framework/LineFile.h"

#include <gtest/gtest.h>

TEST(LineFile, SplitsOnLfAndCrLfAndKeepsAnUnendedLastLine)
{
    struct Case { std::string bytes; std::vector<std::wstring> lines; };
    const Case cases[] = {
        {"", {}},
        {"a\r\nb\nc", {L"a", L"b", L"c"}},
        {"a\n\n", {L"a", L""}},
        {"\xe9t\xe9\r\n", {L"\u00e9t\u00e9"}},
        {"x\ry\n", {L"x\ry"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LineFile::SplitLines(c.bytes), c.lines) << c.bytes;
}

TEST(LineFile, WritesCrLfAndRefusesCharactersAbove255)
{
    std::string bytes = "unchanged";
    EXPECT_TRUE(LineFile::ToBytes({L"a", L"", L"\u00ff"}, bytes));
    EXPECT_EQ(bytes, "a\r\n\r\n\xff\r\n");
    bytes = "unchanged";
    EXPECT_FALSE(LineFile::ToBytes({L"a", L"\u0100"}, bytes));
    EXPECT_EQ(bytes, "unchanged");
}
