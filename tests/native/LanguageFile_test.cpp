#include "framework/LineFile.h"
#include "i18n/LanguageFile.h"

#include <gtest/gtest.h>

namespace {

const LanguageEntry kEnd = {kEndMarkerNumber, L"---"};

std::vector<LanguageEntry> Section(const std::string& bytes, const std::wstring& code)
{
    return ReadSection(LineFile::SplitLines(bytes), code);
}

}  // namespace

TEST(LanguageFile, EntryLineNumberAndTextQuirks)
{
    struct Case { std::wstring line; bool entry; int number; std::wstring text; };
    const Case cases[] = {
        {L"00042 Text", true, 42, L"Text"},
        {L"00042=Text", true, 42, L"Text"},
        {L"00042\tText", true, 42, L"Text"},
        {L"00042xText", true, 42, L"Text"},
        {L"00042  Text", true, 42, L" Text"},
        {L"00042 Text  ", true, 42, L"Text  "},
        {L"0042 Text", true, 420, L"ext"},
        {L"00007", true, 7, L""},
        {L"00007 ", true, 7, L""},
        {L"0007", false, 0, L""},
        {L"", false, 0, L""},
        {L"99999 end", true, 99999, L"end"},
        {L"a0b1c rest", true, 10, L"rest"},
        {L"-0001 x", true, 1, L"x"},
        {L"[1031]", true, 1031, L""},
        {L"12345 \\n no escapes", true, 12345, L"\\n no escapes"},
    };
    for (const Case& c : cases) {
        LanguageEntry entry{-1, L"unchanged"};
        EXPECT_EQ(ParseEntryLine(c.line, entry), c.entry) << c.line;
        if (c.entry) {
            EXPECT_EQ(entry.number, c.number) << c.line;
            EXPECT_EQ(entry.text, c.text) << c.line;
        }
    }
}

TEST(LanguageFile, ReadsOnlyTheExactSectionUpToExactEol)
{
    const std::string file =
        "intro 00001 outside\r\n"
        "[1031]\r\n"
        "00000 Deutsch\r\n"
        "00005 Meldung\r\n"
        "[EOL]\r\n"
        "[1033] \r\n"
        "00005 trailing blank header\r\n"
        "[EOL]\r\n"
        "[1033]\n"
        "\n"
        "00000 English\n"
        "0007\n"
        "00005 Message\n"
        "[EOL] \n"
        "00010 after a blank-ended EOL\n"
        "[EOL]\n"
        "00020 after the section\n";
    struct Case { std::wstring code; std::vector<LanguageEntry> entries; };
    const Case cases[] = {
        {L"[1031]", {{0, L"Deutsch"}, {5, L"Meldung"}, kEnd}},
        {L"[1033]", {{0, L"English"}, {5, L"Message"}, {0, L""}, {10, L"after a blank-ended EOL"}, kEnd}},
        {L"[1036]", {kEnd}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Section(file, c.code), c.entries) << c.code;
}

TEST(LanguageFile, UnterminatedSectionKeepsWhatWasRead)
{
    EXPECT_EQ(Section("[1033]\r\n00001 a\r\n00002 b", L"[1033]"),
              (std::vector<LanguageEntry>{{1, L"a"}, {2, L"b"}, kEnd}));
    EXPECT_EQ(Section("[1033]", L"[1033]"), std::vector<LanguageEntry>{kEnd});
    EXPECT_EQ(Section("", L"[1033]"), std::vector<LanguageEntry>{kEnd});
}

TEST(LanguageFile, LookUpTakesTheFirstEntryAndStopsAt99999)
{
    const std::vector<LanguageEntry> table = Section(
        "[1033]\r\n00005 first\r\n00005 second\r\n00010 ten\r\n99999 stop\r\n00020 hidden\r\n[EOL]\r\n", L"[1033]");
    const std::vector<LanguageEntry> plain = Section("[1033]\r\n00005 five\r\n[EOL]\r\n[1031]\r\n00006 six\r\n[EOL]\r\n",
                                                     L"[1033]");
    struct Case { const std::vector<LanguageEntry>* entries; int number; std::wstring text; };
    const Case cases[] = {
        {&table, 5, L"first"},
        {&table, 10, L"ten"},
        {&table, 20, L"stop"},
        {&table, 7, L"stop"},
        {&table, 99999, L"stop"},
        {&plain, 5, L"five"},
        {&plain, 6, L"---"},
        {&plain, -1, L"---"},
        {&plain, 99999, L"---"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LookUpText(*c.entries, c.number), c.text) << c.number;
    EXPECT_EQ(LookUpText({}, 5), L"---");
}

TEST(LanguageFile, AnyLineContainsSearchesSubstrings)
{
    const std::vector<std::wstring> lines = {L"x", L"; see [1031] here"};
    EXPECT_TRUE(AnyLineContains(lines, L"[1031]"));
    EXPECT_FALSE(AnyLineContains(lines, L"[1033]"));
    EXPECT_FALSE(AnyLineContains({}, L"[1033]"));
}
