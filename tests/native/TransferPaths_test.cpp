#include "transfer/TransferPaths.h"
#include "panes/FailureReport.h"

#include <gtest/gtest.h>

TEST(TransferPaths, RemoteSubFolderOfACollectedFile)
{
    struct Case { const wchar_t* local; const wchar_t* file; const wchar_t* sub; };
    const Case cases[] = {
        {L"C:\\Data", L"C:\\Data\\Photos\\2014\\a.jpg", L"/Photos/2014"},
        {L"C:\\Data", L"C:\\Data\\Photos\\a.jpg", L"/Photos"},
        {L"C:", L"C:\\Photos\\a.jpg", L"/Photos"},                  // drive root
        {L"C:\\", L"C:\\Photos\\a.jpg", L"/Photos"},                // held with a trailing "\"
        {L"\\\\srv\\share", L"\\\\srv\\share\\docs\\x\\y.txt", L"/docs/x"},
        {L"C:\\Data", L"C:\\Data\\top.txt", L""},
        {L"C:\\Data", L"C:\\Data\\\\Photos\\\\a.jpg", L"/Photos"},  // doubled separators
        {L"C:\\Data", L"D:\\Other\\a.jpg", L""},                    // not below the folder
    };
    for (const Case& c : cases)
        EXPECT_EQ(RemoteSubFolder(c.local, c.file), c.sub) << c.file;
}

TEST(TransferPaths, RemoteTargetFolderStaysRelativeFromTheLoginDirectory)
{
    struct Case { const wchar_t* ftp; const wchar_t* sub; const wchar_t* target; };
    const Case cases[] = {
        {L"www", L"/Photos/2014", L"www/Photos/2014"},
        {L"", L"/Photos/2014", L"Photos/2014"},
        {L"/", L"/Photos", L"/Photos"},
        {L"/pub", L"/Photos", L"/pub/Photos"},
        {L"www/", L"/Photos", L"www/Photos"},
        {L"www", L"", L"www"},
        {L"", L"", L""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RemoteTargetFolder(c.ftp, c.sub), c.target) << c.ftp << L" + " << c.sub;
}

TEST(TransferPaths, OnlyTheLeadingFtpFolderIsTakenOff)
{
    struct Case { const wchar_t* ftp; const wchar_t* remote; const wchar_t* relative; const wchar_t* localSub; };
    const Case cases[] = {
        {L"www", L"www/img/www/a.png", L"img/www/a.png", L"img\\www"},
        {L"www", L"www/Photos/2014/a.jpg", L"Photos/2014/a.jpg", L"Photos\\2014"},
        {L"", L"Photos/2014/a.jpg", L"Photos/2014/a.jpg", L"Photos\\2014"},
        {L"/", L"/img/a.png", L"img/a.png", L"img"},
        {L"www/", L"www/img/a.png", L"img/a.png", L"img"},
        {L"a/b", L"a/b/c/d.txt", L"c/d.txt", L"c"},
        {L"ww", L"www/img/a.png", L"www/img/a.png", L"www\\img"},  // a longer name is no prefix
        {L"www", L"www/a.png", L"a.png", L""},
    };
    for (const Case& c : cases) {
        const std::wstring relative = RelativeToFtpFolder(c.ftp, c.remote);
        EXPECT_EQ(relative, c.relative) << c.remote;
        EXPECT_EQ(LocalSubFolder(relative), c.localSub) << c.remote;
    }
}

TEST(TransferPaths, LocalTargetsHaveOneBackslashBeforeTheSubFolder)
{
    EXPECT_EQ(JoinLocalSubFolder(L"C:\\Data", L"img\\www"), L"C:\\Data\\img\\www");
    EXPECT_EQ(JoinLocalSubFolder(L"C:", L"img"), L"C:\\img");
    EXPECT_EQ(JoinLocalSubFolder(L"C:\\", L"img"), L"C:\\img");
    EXPECT_EQ(JoinLocalSubFolder(L"C:\\Data", L""), L"C:\\Data");
}

TEST(TransferPaths, FoldersToCreateNeverIncludeDriveServerOrShare)
{
    using List = std::vector<std::wstring>;
    struct Case { const wchar_t* path; List folders; };
    const Case cases[] = {
        {L"C:\\a\\b", {L"C:\\a", L"C:\\a\\b"}},
        {L"C:\\\\a\\\\b\\", {L"C:\\a", L"C:\\a\\b"}},
        {L"C:\\a", {L"C:\\a"}},
        {L"C:", {}},
        {L"C:\\", {}},
        {L"\\\\srv\\share\\a\\b", {L"\\\\srv\\share\\a", L"\\\\srv\\share\\a\\b"}},
        {L"\\\\srv\\share", {}},
        {L"\\\\srv\\share\\", {}},
        {L"\\\\srv", {}},
        {L"\\top\\sub", {L"\\top", L"\\top\\sub"}},
        {L"rel\\sub", {L"rel", L"rel\\sub"}},
        {L"\\", {}},
        {L"", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FoldersToCreate(c.path), c.folders) << c.path;
}

TEST(FailureReport, SaysNothingWithoutProblems)
{
    FailureReport report;
    EXPECT_FALSE(report.HasProblems());
    EXPECT_EQ(report.Message(L"%1 failed:", L"Unread:", {}), L"");
    report.AddUnlistedFolders({}, {});
    EXPECT_FALSE(report.HasProblems());
}

TEST(FailureReport, CountsEveryFailureAndNamesTheFirstTen)
{
    FailureReport report;
    for (int i = 1; i <= 12; ++i)
        report.AddFailed(L"f" + std::to_wstring(i));
    EXPECT_EQ(report.FailedCount(), 12);
    std::wstring expected = L"12 failed:";
    for (int i = 1; i <= 10; ++i)
        expected += L"\nf" + std::to_wstring(i);
    EXPECT_EQ(report.Message(L"%1 failed:", L"Unread:", {}), expected);
}

TEST(FailureReport, AddsTheUnreadFoldersAfterTheFiles)
{
    struct Case { std::vector<std::wstring> failed; std::vector<std::wstring> unlisted; const wchar_t* message; };
    const Case cases[] = {
        {{L"a/x"}, {L"a/nolist"}, L"Failed (1):\na/x\n\nUnread:\na/nolist"},
        {{}, {L"a/nolist", L"b/nolist"}, L"Unread:\na/nolist\nb/nolist"},
        {{L"x", L"y"}, {}, L"Failed (2):\nx\ny"},
    };
    for (const Case& c : cases) {
        FailureReport report;
        for (const std::wstring& name : c.failed)
            report.AddFailed(name);
        report.AddUnlistedFolders(c.unlisted, {});
        EXPECT_TRUE(report.HasProblems());
        EXPECT_EQ(report.Message(L"Failed (%1):", L"Unread:", {}), c.message);
    }
}
