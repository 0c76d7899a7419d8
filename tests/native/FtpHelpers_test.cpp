#include "ftp/FtpPath.h"
#include "ftp/FtpServerAddress.h"
#include "ftp/SafeLocalName.h"

#include <gtest/gtest.h>

TEST(FtpServerAddress, PrefixRuleAndPort)
{
    struct Case { const wchar_t* name; const wchar_t* host; int port; bool valid; };
    const Case cases[] = {
        {L"ftp://example.org", L"example.org", 21, true},
        {L"example.org", L"example.org", 21, true},
        {L"FTP://example.org", L"FTP://example.org", 21, true},    // capitals keep the prefix
        {L"Ftp://example.org", L"Ftp://example.org", 21, true},
        {L"ftp://", L"ftp://", 21, true},                          // exactly the prefix stays
        {L"ftp://x", L"x", 21, true},
        {L"", L"", 21, true},
        {L"ftp://host:2121", L"host", 2121, true},
        {L"host:2121", L"host", 2121, true},
        {L"ftp://127.0.0.1:65535", L"127.0.0.1", 65535, true},
        {L"ftp://[::1]:2121", L"::1", 2121, true},
        {L"ftp://[::1]", L"[::1]", 21, true},                      // no port: unchanged
        {L"ftp://::1", L"::1", 21, true},                          // bare IPv6 carries no port
        {L"ftp://fe80::1:2121", L"fe80::1:2121", 21, true},
        {L"FTP://host:2121", L"FTP://host:2121", 21, true},        // prefix kept, so not host:port
        {L"ftp://host:", L"host", 21, false},
        {L"ftp://host:abc", L"host", 21, false},
        {L"ftp://host:0", L"host", 21, false},
        {L"ftp://host:65536", L"host", 21, false},
        {L"ftp://host:000021", L"host", 21, false},
        {L"ftp://host:-21", L"host", 21, false},
        {L"ftp://:2121", L"", 2121, false},
        {L"ftp://[::1]:x", L"::1", 21, false},
    };
    for (const Case& c : cases) {
        const FtpServerAddress address = ParseServerName(c.name);
        EXPECT_EQ(address.valid, c.valid) << c.name;
        if (c.valid) {
            EXPECT_EQ(address.host, c.host) << c.name;
            EXPECT_EQ(address.port, c.port) << c.name;
        }
    }
    EXPECT_EQ(NormaliseServerName(L"ftp://host:2121"), L"host:2121");
}

TEST(FtpPath, JoinsAndSplits)
{
    EXPECT_EQ(JoinFtpPath(L"", L"x"), L"x");
    EXPECT_EQ(JoinFtpPath(L"a", L"x"), L"a/x");
    EXPECT_EQ(JoinFtpPath(L"/", L"x"), L"/x");
    EXPECT_EQ(JoinFtpPath(L"/a/b", L"x"), L"/a/b/x");
    EXPECT_EQ(JoinFtpPath(L"a/", L"x"), L"a/x");

    struct Case { const wchar_t* path; const wchar_t* folder; const wchar_t* name; };
    const Case cases[] = {
        {L"a/b/c", L"a/b", L"c"}, {L"c", L"", L"c"}, {L"/c", L"/", L"c"}, {L"/a/c", L"/a", L"c"}, {L"a/", L"a", L""},
    };
    for (const Case& c : cases) {
        std::wstring folder = L"old";
        std::wstring name = L"old";
        SplitFtpPath(c.path, folder, name);
        EXPECT_EQ(folder, c.folder) << c.path;
        EXPECT_EQ(name, c.name) << c.path;
    }
}

TEST(FtpPath, EntryNamesLocalNamesAndSizes)
{
    for (const wchar_t* bad : {L"", L".", L"..", L"a/b", L"..\\evil.txt", L"/", L"\\"})
        EXPECT_FALSE(IsUsableEntryName(bad)) << bad;
    for (const wchar_t* good : {L"x", L"...", L".hidden", L"a:b", L"CON", L"trail ", L"x*y"})
        EXPECT_TRUE(IsUsableEntryName(good)) << good;

    EXPECT_EQ(RemoteNameOfLocalPath(L"C:\\data\\report.txt"), L"report.txt");
    EXPECT_EQ(RemoteNameOfLocalPath(L"C:/data/report.txt"), L"report.txt");
    EXPECT_EQ(RemoteNameOfLocalPath(L"report.txt"), L"report.txt");
    EXPECT_EQ(RemoteNameOfLocalPath(L"C:\\data\\"), L"");

    EXPECT_EQ(CombineFileSize(0, 0), 0u);
    EXPECT_EQ(CombineFileSize(0, 0xFFFFFFFFu), 0xFFFFFFFFull);
    EXPECT_EQ(CombineFileSize(1, 0x40000000u), 5368709120ull);  // 5 GiB
    EXPECT_EQ(CombineFileSize(0xFFFFFFFFu, 0xFFFFFFFFu), 0xFFFFFFFFFFFFFFFFull);
}

TEST(SafeLocalName, RefusesWhatWindowsWouldMisread)
{
    struct Case { const wchar_t* name; bool safe; };
    const Case cases[] = {
        {L"ok.txt", true}, {L"..x", true}, {L"x..y", true}, {L"CONSOLE", true}, {L"COM10", true},
        {L"COM0", true}, {L"LPT", true}, {L"console.txt", true}, {L"a b", true}, {L"\u00e9t\u00e9.txt", true},
        {L"", false}, {L".", false}, {L"..", false}, {L"..\\evil.txt", false}, {L"a/b", false},
        {L"a:b", false}, {L"x*y", false}, {L"q?", false}, {L"quote\"d", false}, {L"lt<gt>", false},
        {L"pipe|d", false}, {L"tab\tname", false}, {L"bell\x07", false}, {L"trail.", false},
        {L"trail ", false}, {L"CON", false}, {L"con", false}, {L"Con.txt", false}, {L"nul.txt", false},
        {L"NUL.tar.gz", false}, {L"CON .txt", false}, {L"prn", false}, {L"AUX", false},
        {L"com1", false}, {L"COM9.log", false}, {L"lpt1", false}, {L"LPT9.txt", false},
        {L"COM\u00B9", false}, {L"lpt\u00B2.txt", false}, {L"LPT\u00B3", false}, {L"COM\u00B4", true},
        {L"CONIN$", false}, {L"conout$.txt", false}, {L"CONIN", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsSafeLocalName(c.name), c.safe) << c.name;
}

TEST(SafeLocalName, RelativePathsAreCheckedPerComponent)
{
    struct Case { const wchar_t* path; bool safe; };
    const Case cases[] = {
        {L"a/b/y.txt", true}, {L"y.txt", true}, {L"a/../y.txt", false}, {L"../y.txt", false},
        {L"/y.txt", false}, {L"a//y.txt", false}, {L"a/", false}, {L"a/CON/y.txt", false},
        {L"a/b:c/y.txt", false}, {L"a\\b/y.txt", false}, {L"./y.txt", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsSafeLocalRelativePath(c.path), c.safe) << c.path;
}
