#include "FakeFtp.h"

#include "ftp/FtpEngine.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using Log = std::vector<std::wstring>;

const std::wstring kServer = L"ftp://host";
const std::wstring kUser = L"u";
const std::wstring kPassword = L"secret";

Log Only(const Log& log, const std::wstring& prefix)
{
    Log picked;
    for (const std::wstring& line : log)
        if (line.compare(0, prefix.size(), prefix) == 0)
            picked.push_back(line);
    return picked;
}

class FtpTreeWalkTest : public ::testing::Test {
protected:
    void AddTree()  // a/b/ before a/x.txt in server order, so nesting shows in the file order
    {
        ftp.AddFolder(L"/a/b/c");
        ftp.AddFile(L"/a/b/y.txt", 7);
        ftp.AddFile(L"/a/x.txt", 5368709120ull);
        ftp.AddFolder(L"/a/e");
        ftp.AddFile(L"/a/e/z.txt", 1);
    }

    FakeFtp ftp;
    FtpEngine ops{ftp};
    FtpListing listing;
};

TEST_F(FtpTreeWalkTest, PreOrderWithOneLoginAtATime)
{
    AddTree();
    ASSERT_TRUE(ops.EnumerateFtpTree(listing, {kServer, kUser, kPassword}, L"a"));
    EXPECT_EQ(listing.fileNames, (Log{L"a/b/y.txt", L"a/x.txt", L"a/e/z.txt"}));
    EXPECT_EQ(listing.fileSizes, (std::vector<std::uint64_t>{7, 5368709120ull, 1}));
    EXPECT_EQ(listing.folderNames, (Log{L"a/b", L"a/b/c", L"a/e"}));
    EXPECT_TRUE(listing.unlistedFolders.empty());
    EXPECT_EQ(ftp.mostOpenSessions, 1);
    EXPECT_EQ(Only(ftp.log, L"LIST"), (Log{L"LIST /a", L"LIST /a/b", L"LIST /a/b/c", L"LIST /a/e"}));
}

TEST_F(FtpTreeWalkTest, PathsStayRelativeBelowTheLoginDirectory)
{
    AddTree();
    ftp.AddFolder(L"/sub");
    ftp.loginFolder = L"/a";
    ASSERT_TRUE(ops.EnumerateFtpTree(listing, {kServer, kUser, kPassword}, L""));
    EXPECT_EQ(listing.fileNames, (Log{L"b/y.txt", L"x.txt", L"e/z.txt"}));
    EXPECT_EQ(listing.folderNames, (Log{L"b", L"b/c", L"e"}));
    EXPECT_EQ(Only(ftp.log, L"CWD"), (Log{L"CWD /a/b", L"CWD /a/b/c", L"CWD /a/e"}));
}

TEST_F(FtpTreeWalkTest, FoldersThatCannotBeReadAreReportedAndNothingElseIsTaken)
{
    AddTree();
    ftp.AddFile(L"/x.txt", 1);  // in the login directory: must never appear
    ftp.refuseEnter = {L"/a/b"};
    ftp.refuseListing = {L"/a/e"};
    ASSERT_TRUE(ops.EnumerateFtpTree(listing, {kServer, kUser, kPassword}, L"a"));
    EXPECT_EQ(listing.fileNames, (Log{L"a/x.txt"}));
    EXPECT_EQ(listing.folderNames, (Log{L"a/b", L"a/e"}));
    EXPECT_EQ(listing.unlistedFolders, (Log{L"a/b", L"a/e"}));

    struct Case { const wchar_t* folder; const wchar_t* password; };
    for (const Case& c : {Case{L"a/b", L"secret"}, Case{L"missing", L"secret"}, Case{L"a", L"wrong"}}) {
        EXPECT_FALSE(ops.EnumerateFtpTree(listing, {kServer, kUser, c.password}, c.folder)) << c.folder;
        EXPECT_TRUE(listing.fileNames.empty() && listing.folderNames.empty()) << c.folder;
        EXPECT_EQ(listing.unlistedFolders, (Log{c.folder})) << c.folder;
    }
    ftp.AddFolder(L"/empty");
    EXPECT_FALSE(ops.EnumerateFtpTree(listing, {kServer, kUser, kPassword}, L"empty"));
    EXPECT_TRUE(listing.unlistedFolders.empty());
}

TEST_F(FtpTreeWalkTest, LinksAndLoopsEndTheDescent)
{
    ftp.AddFolder(L"/t/link", kFtpAttributeReparsePoint);
    ftp.AddFolder(L"/t/link/inner");
    ftp.AddFolder(L"/t/loop");
    ftp.endlessBelow = L"/t/loop";
    ftp.AddRawEntry(L"/t", {L"..", kFtpAttributeDirectory, 0, 0});
    ftp.AddRawEntry(L"/t", {L".", kFtpAttributeDirectory, 0, 0});

    ASSERT_TRUE(ops.EnumerateFtpTree(listing, {kServer, kUser, kPassword}, L"t"));
    ASSERT_EQ(listing.folderNames.size(), 2u + kMaxTreeDepth - 1);
    EXPECT_EQ(listing.folderNames[0], L"t/link");
    EXPECT_EQ(listing.folderNames[1], L"t/loop");
    EXPECT_EQ(listing.folderNames[2], L"t/loop/deeper");
    ASSERT_EQ(listing.unlistedFolders.size(), 1u);
    EXPECT_EQ(listing.unlistedFolders[0], listing.folderNames.back());
    EXPECT_EQ(Only(ftp.log, L"LIST").size(), static_cast<std::size_t>(kMaxTreeDepth));
    EXPECT_EQ(ftp.mostOpenSessions, 1);
}

TEST_F(FtpTreeWalkTest, SelfReferencingFoldersEndAtTheFolderLimitAndNoPathTwice)
{
    ftp.AddFolder(L"/t/loop");
    ftp.endlessBelow = L"/t/loop";
    ftp.endlessTwice = true;
    ftp.AddRawEntry(L"/t", {L"loop", kFtpAttributeDirectory, 0, 0});  // listed twice
    ftp.AddRawEntry(L"/t", {L"a/b", 0, 0, 1});
    ftp.AddRawEntry(L"/t", {L"c\\d", kFtpAttributeDirectory, 0, 0});

    FtpEngine limited(ftp, 40);
    ASSERT_TRUE(limited.EnumerateFtpTree(listing, {kServer, kUser, kPassword}, L"t"));
    EXPECT_TRUE(listing.folderLimitReached);
    EXPECT_EQ(Only(ftp.log, L"LIST").size(), 40u);
    EXPECT_EQ(std::count(listing.folderNames.begin(), listing.folderNames.end(), L"t/loop"), 1);
    EXPECT_EQ(listing.unusableNames, (Log{L"t/a/b", L"t/c\\d"}));
}

TEST_F(FtpTreeWalkTest, TreeDeletionOrderAndLeftovers)
{
    AddTree();
    ftp.AddFile(L"/a/b/undeletable.txt", 1);
    ftp.refuseDelete = {L"/a/b/undeletable.txt"};
    Log progress;
    int ends = 0;
    const FtpDeleteProgress report{[&](const std::wstring& path) { progress.push_back(path); }, [&] { ++ends; }};

    ops.DeleteFtpFolderTree({kServer, kUser, kPassword}, L"", L"a", listing, report);
    EXPECT_EQ(progress, (Log{L"a/b/y.txt", L"a/b/undeletable.txt", L"a/x.txt", L"a/e/z.txt", L"a/e", L"a/b/c",
                             L"a/b"}));
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(Only(ftp.log, L"DELE"),
              (Log{L"DELE /a/b/y.txt", L"DELE /a/b/undeletable.txt", L"DELE /a/x.txt", L"DELE /a/e/z.txt"}));
    EXPECT_EQ(Only(ftp.log, L"RMD"), (Log{L"RMD /a", L"RMD /a/e", L"RMD /a/b/c", L"RMD /a/b", L"RMD /a"}));
    EXPECT_TRUE(ftp.HasFile(L"/a/b/undeletable.txt"));
    EXPECT_FALSE(ftp.HasFolder(L"/a/b/c"));
    EXPECT_FALSE(ftp.HasFolder(L"/a/e"));
    EXPECT_FALSE(ftp.HasFile(L"/a/x.txt"));

    ftp.refuseDelete.clear();
    ftp.log.clear();
    progress.clear();
    ops.DeleteFtpFolderTree({kServer, kUser, kPassword}, L"", L"a", listing, report);
    EXPECT_EQ(progress, (Log{L"a/b/undeletable.txt", L"a/b"}));
    EXPECT_FALSE(ftp.HasFolder(L"/a"));
    EXPECT_EQ(ends, 2);
}

TEST_F(FtpTreeWalkTest, TreeDeletionOfAnEmptyFolderOrAnUnusableName)
{
    ftp.AddFolder(L"/p/empty");
    ftp.AddFile(L"/p/keep.txt", 1);
    int ends = 0;
    const FtpDeleteProgress report{nullptr, [&] { ++ends; }};
    listing.fileNames = {L"untouched"};

    ops.DeleteFtpFolderTree({kServer, kUser, kPassword}, L"p", L"empty", listing, report);
    EXPECT_EQ(ftp.log, (Log{L"OPEN host:21 u", L"CWD /p", L"RMD /p/empty"}));
    EXPECT_EQ(listing.fileNames, (Log{L"untouched"}));

    ftp.log.clear();
    for (const wchar_t* name : {L"", L".", L"..", L"x/.."})
        ops.DeleteFtpFolderTree({kServer, kUser, kPassword}, L"p", name, listing, report);
    EXPECT_TRUE(ftp.log.empty());
    EXPECT_TRUE(ftp.HasFile(L"/p/keep.txt"));
    EXPECT_EQ(ends, 5);
}

}  // namespace
