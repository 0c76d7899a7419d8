#include "i18n/SystemLanguage.h"

#include <gtest/gtest.h>

namespace {

std::vector<DialectList> Lists(const std::vector<std::wstring>& members)
{
    std::vector<DialectList> lists;
    const std::vector<std::wstring> codes = DialectCodes();
    for (size_t i = 0; i < codes.size(); ++i)
        lists.push_back({codes[i], i < members.size() ? members[i] : std::wstring()});
    return lists;
}

}  // namespace

TEST(SystemLanguage, ReadsLowerCaseHexOnly)
{
    struct Case { std::wstring text; std::int32_t value; };
    const Case cases[] = {
        {L"", 0},
        {L"0409", 1033},
        {L"0407", 1031},
        {L"040c", 1036},
        {L"040C", 1024},
        {L"0807", 2055},
        {L"ffff", 65535},
        {L"FFFF", 0},
        {L"04 9", 1033},
        {L"0x09", 9},
        {L"1000000000", 0},
        {L"fffffffff", -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseLanguageIdentifier(c.text), c.value) << c.text;
    EXPECT_EQ(LanguageCode(1036), L"[1036]");
    EXPECT_EQ(LanguageCode(0), L"[0]");
}

TEST(SystemLanguage, DialectListsAreSearchedInOrderWithTheCurrentCandidate)
{
    struct Case { const char* what; std::vector<std::wstring> members; std::wstring candidate; std::wstring result; };
    const Case cases[] = {
        {"Swiss German shown in German", {L"[2055][3079]"}, L"[2055]", L"[1031]"},
        {"no list holds it", {L"[2055]"}, L"[1031]", L"[1031]"},
        {"codes without separators", {L"", L"[2057][3081]"}, L"[3081]", L"[1033]"},
        {"a later list sees the changed candidate", {L"[2055]", L"", L"[1031]"}, L"[2055]", L"[1036]"},
        {"an earlier list does not see a later change", {L"[1036]", L"", L"[2060]"}, L"[2060]", L"[1036]"},
        {"case-sensitive substring", {L"[2055]"}, L"[205]", L"[205]"},
        {"the last list", {L"", L"", L"", L"", L"", L"[2070]"}, L"[2070]", L"[1046]"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ApplyDialects(c.candidate, Lists(c.members)), c.result) << c.what;
    EXPECT_EQ(DialectCodes(), (std::vector<std::wstring>{L"[1031]", L"[1033]", L"[1036]", L"[1034]", L"[1043]",
                                                          L"[1046]"}));
    EXPECT_EQ(DialectKey(L"[1031]"), L"Dialects[1031]");
}

TEST(SystemLanguage, ChoosesTheSectionTheFileContainsOrEnglish)
{
    const std::vector<std::wstring> file = {L"[1031]", L"00000 Deutsch", L"[EOL]", L"[1033]", L"[EOL]",
                                            L"[1036]", L"[EOL]"};
    struct Case { const char* what; std::wstring registry; std::vector<std::wstring> members; std::wstring code; };
    const Case cases[] = {
        {"0807 through the German dialects", L"0807", {L"[2055]"}, L"[1031]"},
        {"0407 without any list", L"0407", {}, L"[1031]"},
        {"040c reads as French", L"040c", {}, L"[1036]"},
        {"040C reads as 1024, absent", L"040C", {}, L"[1033]"},
        {"unknown language", L"0413", {}, L"[1033]"},
        {"unreadable registry gives [0], absent", L"", {}, L"[1033]"},
        {"dialect target missing from the file", L"0813", {L"", L"", L"", L"", L"[2067]"}, L"[1033]"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ChooseSystemSection(c.registry, Lists(c.members), file), c.code) << c.what;
    EXPECT_EQ(ChooseSystemSection(L"", {}, {L"x [0] y"}), L"[0]");
}

TEST(SystemLanguage, EmptyAndDashesFollowTheSystem)
{
    EXPECT_TRUE(FollowsSystemLanguage(L""));
    EXPECT_TRUE(FollowsSystemLanguage(L"[----]"));
    EXPECT_FALSE(FollowsSystemLanguage(L"[1031]"));
    EXPECT_FALSE(FollowsSystemLanguage(L"[----] "));
}
