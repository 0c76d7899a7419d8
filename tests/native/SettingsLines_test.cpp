#include "framework/LineFile.h"
#include "settings/FieldSplit.h"
#include "settings/SettingsLines.h"
#include "settings/SettingsLocation.h"

#include <gtest/gtest.h>

namespace {

std::string Rewritten(const std::string& bytes, const std::wstring& key, const std::wstring& value, bool& found)
{
    std::vector<std::wstring> lines = LineFile::SplitLines(bytes);
    found = ReplaceValues(lines, key, value);
    std::string out;
    EXPECT_TRUE(LineFile::ToBytes(lines, out));
    return out;
}

}  // namespace

TEST(SettingsLines, ReadsTheValueAfterTheLastOccurrence)
{
    struct Case { const char* what; std::string bytes; std::wstring key; std::wstring value; };
    const Case cases[] = {
        {"duplicate key", "FTP Data\r\nfirst\r\nFTP Data\r\nsecond\r\n", L"FTP Data", L"second"},
        {"empty value", "Language\r\n\r\nVersion\r\n2.00\r\n", L"Language", L""},
        {"absent", "Version\r\n2.00\r\n", L"Language", L""},
        {"key on the last line", "Version\r\n2.00\r\nLanguage", L"Language", L""},
        {"key on the last line with its line end", "Language\r\n", L"Language", L""},
        {"duplicate, the last one on the last line", "K\r\nv\r\nK\r\n", L"K", L""},
        {"no final line end", "Version\r\n2.00", L"Version", L"2.00"},
        {"LF only", "A\nx\nVersion\n2.00\n", L"Version", L"2.00"},
        {"mixed line ends", "A\r\nx\nVersion\r\n2.00\n", L"Version", L"2.00"},
        {"a value line is never a key", "K\r\nK\r\nv\r\n", L"K", L"K"},
        {"case-sensitive", "version\r\n2.00\r\n", L"Version", L""},
        {"no trimming", "Version \r\n2.00\r\n", L"Version", L""},
        {"value kept literally", "K\r\n  a b  \r\n", L"K", L"  a b  "},
        {"binary bytes", std::string("K\r\n\x00\x01\xff\r\n", 8), L"K", std::wstring(L"\0\x01\xff", 3)},
        {"empty file", "", L"K", L""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReadValue(LineFile::SplitLines(c.bytes), c.key), c.value) << c.what;
}

TEST(SettingsLines, ReplacesEveryValueAndWritesCrLfAfterEveryLine)
{
    struct Case { const char* what; std::string bytes; std::wstring key; std::wstring value; std::string expected; bool found; };
    const Case cases[] = {
        {"duplicate key", "FTP Data\r\na\r\nX\r\nFTP Data\r\nb\r\n", L"FTP Data", L"new",
         "FTP Data\r\nnew\r\nX\r\nFTP Data\r\nnew\r\n", true},
        {"empty value", "K\r\nold\r\n", L"K", L"", "K\r\n\r\n", true},
        {"key on the last line gets a value line", "A\r\n1\r\nK", L"K", L"v", "A\r\n1\r\nK\r\nv\r\n", true},
        {"absent key adds nothing", "A\r\n1\r\n", L"K", L"v", "A\r\n1\r\n", false},
        {"no final line end, LF only", "K\nold\nZ", L"K", L"v", "K\r\nv\r\nZ\r\n", true},
        {"a value line is never a key", "K\r\nK\r\nv\r\n", L"K", L"x", "K\r\nx\r\nv\r\n", true},
        {"a value equal to the key stops at its line", "K\r\nold\r\nA\r\nB\r\n", L"K", L"K",
         "K\r\nK\r\nA\r\nB\r\n", true},
        {"other lines kept", "# note\r\n\r\nK\r\nold\r\n\xe9\r\n", L"K", L"\u00e9",
         "# note\r\n\r\nK\r\n\xe9\r\n\xe9\r\n", true},
    };
    for (const Case& c : cases) {
        bool found = false;
        EXPECT_EQ(Rewritten(c.bytes, c.key, c.value, found), c.expected) << c.what;
        EXPECT_EQ(found, c.found) << c.what;
    }
}

TEST(SettingsLines, AnAppendedKeyIsNeverTheValueOfAKeyOnTheLastLine)
{
    for (std::vector<std::wstring> lines : {std::vector<std::wstring>{L"A", L"1", L"K"}, {L"K", L"old"}, {L"K", L""}}) {
        AppendValue(lines, L"B", L"2");
        ReplaceValues(lines, L"K", L"v");
        EXPECT_EQ(ReadValue(lines, L"K"), L"v") << lines.size();
        EXPECT_EQ(ReadValue(lines, L"B"), L"2") << lines.size();
    }
}

TEST(SettingsLines, LineBreaksAndCharactersAbove255CannotBeStored)
{
    struct Case { std::wstring value; bool storable; };
    const Case cases[] = {
        {L"", true}, {L"C:\\Data", true}, {L"\u00e9\u00ff", true}, {L"a\u0100", false},
        {L"a\rb", false}, {L"a\nb", false}, {L"a\tb", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsStorableValue(c.value), c.storable) << c.value;
}

TEST(FieldSplit, SplitsAtEverySeparatorKeepingEmptyFields)
{
    struct Case { std::wstring text; std::vector<std::wstring> fields; };
    const Case cases[] = {
        {L"", {}},
        {L"ftp://host*user*folder", {L"ftp://host", L"user", L"folder"}},
        {L"ftp://host**", {L"ftp://host", L"", L""}},
        {L"single", {L"single"}},
        {L"*", {L"", L""}},
        {L"*a", {L"", L"a"}},
        {L"ftp://h*st*user*folder", {L"ftp://h", L"st", L"user", L"folder"}},
        {L"a b*c d", {L"a b", L"c d"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SplitFields(c.text, L'*'), c.fields) << c.text.size();
    EXPECT_EQ(SplitFields(L"a;b", L';'), (std::vector<std::wstring>{L"a", L"b"}));
}

TEST(SettingsLocation, NamesTheUserFoldersOrRefusesUnusableParts)
{
    struct Case { std::wstring appData, product, version; std::vector<std::wstring> folders; };
    const Case cases[] = {
        {L"C:\\Users\\u\\AppData", L"FTPT", L"2.00",
         {L"C:\\Users\\u\\AppData\\Velmo", L"C:\\Users\\u\\AppData\\Velmo\\FTPT",
          L"C:\\Users\\u\\AppData\\Velmo\\FTPT\\2.00"}},
        {L"C:\\data\\", L"FTPT", L"2.00", {L"C:\\data\\Velmo", L"C:\\data\\Velmo\\FTPT", L"C:\\data\\Velmo\\FTPT\\2.00"}},
        {L"\\\\server\\share", L"P", L"1", {L"\\\\server\\share\\Velmo", L"\\\\server\\share\\Velmo\\P",
                                            L"\\\\server\\share\\Velmo\\P\\1"}},
        {L"", L"FTPT", L"2.00", {}},
        {L"No REG_SZ", L"FTPT", L"2.00", {}},
        {L"relative\\folder", L"FTPT", L"2.00", {}},
        {L"C:\\data", L"", L"2.00", {}},
        {L"C:\\data", L"FTPT", L"", {}},
        {L"C:\\data", L"..", L"2.00", {}},
        {L"C:\\data", L"FTPT", L".", {}},
        {L"C:\\data", L"..\\..\\Windows", L"2.00", {}},
        {L"C:\\data", L"FT/PT", L"2.00", {}},
        {L"C:\\data", L"FTPT", L"2:00", {}},
        {L"C:\\data", L"FT\tPT", L"2.00", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(UserSettingsFolders(c.appData, c.product, c.version), c.folders)
            << c.product.size() << "/" << c.version.size();
}
