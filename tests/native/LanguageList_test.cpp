#include "framework/LineFile.h"
#include "i18n/LanguageList.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::wstring> Pairs(const std::string& bytes)
{
    return ReadLanguagePairs(LineFile::SplitLines(bytes));
}

using Lines = std::vector<std::wstring>;

}  // namespace

TEST(LanguageList, PathIsFolderBackslashProductAndSuffix)
{
    EXPECT_EQ(LanguageFilePath(L"C:\\Program Files\\FTPT", L"FTPT"), L"C:\\Program Files\\FTPT\\FTPTtrl.ini");
    EXPECT_EQ(LanguageFilePath(L"Z:\\bin", L""), L"Z:\\bin\\trl.ini");
}

TEST(LanguageList, HeadersAndNamesInFileOrder)
{
    struct Case { const char* name; std::string file; Lines pairs; };
    const Case cases[] = {
        {"two sections",
         "[1033]\r\n00001 Pick\r\n00002 English\r\n00005 X\r\n[EOL]\r\n"
         "[1031]\r\n00001 Bitte\r\n00002 Deutsch\r\n[EOL]\r\n",
         {L"[1033]", L"English", L"[1031]", L"Deutsch"}},
        {"system section is a section like any other",
         "[----]\n00001 a\n00002 Follow Windows\n[EOL]\n", {L"[----]", L"Follow Windows"}},
        {"five or seven characters are no header",
         "[EOL]\n[1234\n[12345]\nx\nx\n", {}},
        {"a six-character line starting with a digit is no header",
         "1[031]\n00001 a\n00002 b\n", {}},
        {"six characters beginning with [ are a header whatever follows",
         "[abcd]\nfirst\n12345=name\n", {L"[abcd]", L"name"}},
        {"name keeps blanks after the sixth character",
         "[1036]\n00001 a\n00002  Fran\xE7" "ais \n", {L"[1036]", L" Fran\u00E7ais "}},
        {"name line of six characters or fewer gives an empty name",
         "[1033]\n00001 a\n00002 \n[1031]\n00001 a\n0002\n", {L"[1033]", L"", L"[1031]", L""}},
        {"lines beyond the end read as empty",
         "x\n[1033]\n00001 a", {L"[1033]", L""}},
        {"header on the last line",
         "[1033]", {L"[1033]", L""}},
        {"the two lines after a header are never headers themselves",
         "[1033]\n[1031]\n[1036]\n[1043]\n00001 a\n00002 Nederlands\n", {L"[1033]", L"", L"[1043]", L"Nederlands"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Pairs(c.file), c.pairs) << c.name;
}

TEST(LanguageList, LookUpsTakeTheLastPairAndSearchOnlyTheirOwnHalf)
{
    const Lines pairs = {L"[1033]", L"English", L"[1031]", L"Deutsch", L"[1033]", L"English (2)",
                         L"[1043]", L"Deutsch", L"[----]", L"[1036]"};
    struct Case { const char* name; std::wstring wanted; std::optional<std::wstring> name_, code; };
    const Case cases[] = {
        {"code found", L"[1031]", L"Deutsch", std::nullopt},
        {"same code twice: last wins", L"[1033]", L"English (2)", std::nullopt},
        {"same name twice: last wins", L"Deutsch", std::nullopt, L"[1043]"},
        {"exact case only", L"deutsch", std::nullopt, std::nullopt},
        {"no trimming", L"Deutsch ", std::nullopt, std::nullopt},
        {"a name that looks like a code is found only as a name", L"[1036]", std::nullopt, L"[----]"},
        {"unknown", L"[9999]", std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NameOfCode(pairs, c.wanted), c.name_) << c.name;
        EXPECT_EQ(CodeOfName(pairs, c.wanted), c.code) << c.name;
    }
    EXPECT_EQ(NameOfCode({}, L""), std::nullopt);
    EXPECT_EQ(CodeOfName({L"[1033]", L""}, L""), L"[1033]");
}
