#include "settings/StoredValue.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

size_t EscapedCount(const std::wstring& text)
{
    size_t count = 0;
    for (wchar_t c : text)
        if (c < 32 || c > 126)
            ++count;
    return count;
}

}  // namespace

TEST(StoredValue, RoundTripsEveryClassOfCharacterAndGrowsByThreePerEscape)
{
    struct Case { const char* what; std::wstring text; };
    const Case cases[] = {
        {"empty", L""},
        {"printable", L"Secret pass 123 ~!@#^&()_+{}|:\"<>?`-=[]\\;',./"},
        {"blank and tilde bounds", L" ~ ~"},
        {"tab", L"a\tb"},
        {"controls", std::wstring(L"\x01\x1f\x7f", 3) + L"z"},
        {"nul inside", std::wstring(L"ab\0cd", 5)},
        {"accented", L"p\u00e4ss\u00e9\u00ff"},
        {"above 255", L"\u20ac\u4e2d\uffff"},
        {"marker in the text", L"x$%x$%"},
        {"marker before an escape", L"x$%\u00e9x$%"},
        {"marker at the end", L"abcx$%"},
        {"only escapes", L"\u00e9\u00e9\u00e9"},
    };
    for (const Case& c : cases) {
        const std::wstring encoded = EncodeStoredValue(c.text);
        EXPECT_EQ(DecodeStoredValue(encoded), c.text) << c.what;
        EXPECT_EQ(encoded.size(), c.text.size() + 3 * EscapedCount(c.text)) << c.what;
    }
}

TEST(StoredValue, PrintableTextKeepsItsLengthAndEncodesWithin80To248)
{
    std::wstring all;
    for (wchar_t c = 32; c <= 126; ++c)
        all.push_back(c);
    for (const std::wstring& text : {all, std::wstring(50, L' '), std::wstring(50, L'~')}) {
        const std::wstring encoded = EncodeStoredValue(text);
        ASSERT_EQ(encoded.size(), text.size());
        for (size_t i = 0; i < encoded.size(); ++i) {
            EXPECT_GE(encoded[i], 80) << i;
            EXPECT_LE(encoded[i], 248) << i;
            EXPECT_NE(encoded[i], text[i]) << "not shifted at " << i;
        }
    }
}

TEST(StoredValue, KeyHasFourDigitsALetterAndTwoDigits)
{
    // Seven blanks are shifted by exactly the key's seven characters.
    const std::wstring encoded = EncodeStoredValue(std::wstring(14, L' '));
    std::wstring key;
    for (size_t i = 0; i < 7; ++i)
        key.push_back(static_cast<wchar_t>(encoded[i] - 32));
    EXPECT_EQ(encoded.substr(7), encoded.substr(0, 7)) << "the key repeats";
    for (size_t i = 0; i < 7; ++i) {
        if (i == 4)
            EXPECT_TRUE(key[i] >= L'a' && key[i] <= L'z') << i;
        else
            EXPECT_TRUE(key[i] >= L'0' && key[i] <= L'9') << i;
    }
}

TEST(StoredValue, EscapedCharacterIsStoredUnchangedAndShiftsTheKeyPositions)
{
    const std::wstring encoded = EncodeStoredValue(L"\u00e9A");
    ASSERT_EQ(encoded.size(), 5u);
    EXPECT_EQ(encoded.substr(0, 4), L"x$%\u00e9");
    // "A" stands at position 4 of the grown text and takes that key character.
    EXPECT_EQ(encoded[4], EncodeStoredValue(L"zzzzA")[4]);
    EXPECT_NE(encoded[4], EncodeStoredValue(L"A")[0]);
}

TEST(StoredValue, ForeignTextDecodesWithoutFailingAndStays16Bit)
{
    const std::wstring inputs[] = {
        L"x$%", L"x$", L"abx$%", std::wstring(1, L'\0'), std::wstring(3, L'\xffff'), L"\x01\x02x$%",
    };
    for (const std::wstring& input : inputs) {
        const std::wstring decoded = DecodeStoredValue(input);
        EXPECT_EQ(decoded.size(), input.size()) << "a trailing marker is no marker";
        for (wchar_t c : decoded)
            EXPECT_LE(static_cast<std::uint32_t>(c), 0xFFFFu);
    }
    // A marker with a character after it takes that character unchanged.
    const std::wstring decoded = DecodeStoredValue(L"x$%x$%");
    ASSERT_EQ(decoded.size(), 3u);
    EXPECT_EQ(decoded[0], L'x');
}
