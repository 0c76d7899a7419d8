#include "ftppane/FtpFolderNavigation.h"
#include "ftppane/ProfileRules.h"

#include <gtest/gtest.h>

TEST(ServerProfileRules, OnlyTheExactLowerCasePrefixCounts)
{
    struct Case { const wchar_t* serverName; bool accepted; };
    const Case cases[] = {
        {L"ftp://host", true},
        {L"ftp://", true},            // only the first six characters are compared
        {L"ftp://127.0.0.1:2121", true},
        {L"FTP://host", false},
        {L"Ftp://host", false},
        {L"ftp:/", false},
        {L"ftp:", false},
        {L"", false},
        {L"host", false},
        {L" ftp://host", false},
        {L"ftps://host", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(HasFtpPrefix(c.serverName), c.accepted) << c.serverName;
}

TEST(FtpFolderNavigation, EnteringStaysRelativeToTheLoginDirectory)
{
    struct Case { const wchar_t* folder; const wchar_t* name; const wchar_t* result; };
    const Case cases[] = {
        {L"", L"x", L"x"},
        {L"x", L"y", L"x/y"},
        {L"a/b", L"c d", L"a/b/c d"},
        {L"/x", L"y", L"/x/y"},
        {L"/", L"x", L"/x"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SubFolderPath(c.folder, c.name), c.result) << c.folder << L" + " << c.name;
}

TEST(FtpFolderNavigation, ParentCutsAtTheLastSlash)
{
    struct Case { const wchar_t* folder; const wchar_t* parent; };
    const Case cases[] = {
        {L"", L""},
        {L"x", L""},
        {L"x/y", L"x"},
        {L"a/b/c", L"a/b"},
        {L"/x", L"/"},
        {L"/", L"/"},
        {L"//x", L"/"},
        {L"a/", L"a"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParentFolderPath(c.folder), c.parent) << c.folder;
}
