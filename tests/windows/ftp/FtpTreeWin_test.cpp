#include "FtpTestSupport.h"

#include "ftp/FtpEngine.h"

#include <gtest/gtest.h>

#include <algorithm>

using testenv::Exists;
using testenv::FreshFtpFolder;
using testenv::FtpPath;
using testenv::MakeFolders;
using testenv::WriteFile;

using ftptest::Engine;

namespace {

using Names = std::vector<std::wstring>;

TEST(FtpTreeWin, EnumeratesInPreOrder)
{
    const std::wstring folder = FreshFtpFolder(L"tree_order");
    MakeFolders(FtpPath(folder + L"/a/b/c"));
    WriteFile(FtpPath(folder + L"/a/x.txt"), "12");
    WriteFile(FtpPath(folder + L"/a/b/y.txt"), "123");
    const ftptest::Login login;
    const std::wstring a = folder + L"/a";

    FtpListing listing;
    ASSERT_TRUE(Engine().EnumerateFtpTree(listing, login, a));
    EXPECT_EQ(listing.fileNames, (Names{a + L"/b/y.txt", a + L"/x.txt"}));
    EXPECT_EQ(listing.fileSizes, (std::vector<std::uint64_t>{3, 2}));
    EXPECT_EQ(listing.folderNames, (Names{a + L"/b", a + L"/b/c"}));
    EXPECT_TRUE(listing.unlistedFolders.empty());

    EXPECT_TRUE(Engine().EnumerateFtpTree(listing, login, a + L"/b"));
    EXPECT_FALSE(Engine().EnumerateFtpTree(listing, login, a + L"/b/c"));
    EXPECT_TRUE(listing.fileNames.empty() && listing.folderNames.empty() && listing.unlistedFolders.empty());
}

TEST(FtpTreeWin, ReportsFoldersItCannotReadAndNothingInTheirPlace)
{
    const std::wstring folder = FreshFtpFolder(L"tree_fail");
    MakeFolders(FtpPath(folder + L"/noenter"));
    MakeFolders(FtpPath(folder + L"/nolist"));
    MakeFolders(FtpPath(folder + L"/plain"));
    WriteFile(FtpPath(folder + L"/noenter/in.txt"), "x");
    WriteFile(FtpPath(folder + L"/nolist/in.txt"), "x");
    WriteFile(FtpPath(folder + L"/plain/in.txt"), "x");
    const ftptest::Login login;

    FtpListing listing;
    ASSERT_TRUE(Engine().EnumerateFtpTree(listing, login, folder));
    EXPECT_EQ(listing.fileNames, (Names{folder + L"/plain/in.txt"}));
    EXPECT_EQ(listing.unlistedFolders, (Names{folder + L"/noenter", folder + L"/nolist"}));

    EXPECT_FALSE(Engine().EnumerateFtpTree(listing, login, folder + L"/noenter"));
    EXPECT_TRUE(listing.fileNames.empty() && listing.folderNames.empty());
    EXPECT_EQ(listing.unlistedFolders, (Names{folder + L"/noenter"}));
}

TEST(FtpTreeWin, CreatesOnlyWhatIsMissing)
{
    const std::wstring folder = FreshFtpFolder(L"create");
    MakeFolders(FtpPath(folder + L"/have"));
    const ftptest::Login login;
    {
        const ftptest::ServerLog log;
        EXPECT_TRUE(Engine().CreateFtpFolder(login, folder + L"/have"));
        EXPECT_TRUE(Engine().CreateFtpFolder(login, L""));
        EXPECT_EQ(log.Count("MKD") + log.Count("CWD"), 1);
    }
    EXPECT_TRUE(Engine().CreateFtpFolder(login, folder + L"/new"));
    // A missing level above and a refused login leave no folder, and say why.
    EXPECT_FALSE(Engine().CreateFtpFolder(login, folder + L"/gone/deep"));
    EXPECT_EQ(Engine().LastFailure().kind, FtpFailureKind::kServerReply);
    EXPECT_EQ(Engine().LastFailure().text.substr(0, 4), L"550 ");
    EXPECT_FALSE(Engine().CreateFtpFolder({login.server, login.user, L"wrong"}, folder + L"/refused"));
    EXPECT_EQ(Engine().LastFailure().text.substr(0, 4), L"530 ");
    EXPECT_TRUE(Exists(FtpPath(folder + L"/new")));
    EXPECT_FALSE(Exists(FtpPath(folder + L"/gone")));
    EXPECT_FALSE(Exists(FtpPath(folder + L"/refused")));

    Engine().CreateFtpFolderPath(login, folder + L"/have/p/q/");
    Engine().CreateFtpFolderPath(login, L"/" + folder + L"/abs/r");
    EXPECT_TRUE(Exists(FtpPath(folder + L"/have/p/q")));
    EXPECT_TRUE(Exists(FtpPath(folder + L"/abs/r")));
    EXPECT_FALSE(Exists(FtpPath(folder + L"/have/have")));
}

TEST(FtpTreeWin, SingleDeletionsActOnlyOnTheirEntry)
{
    const std::wstring folder = FreshFtpFolder(L"delete_single");
    MakeFolders(FtpPath(folder + L"/empty"));
    MakeFolders(FtpPath(folder + L"/full"));
    MakeFolders(FtpPath(folder + L"/noenter"));
    WriteFile(FtpPath(folder + L"/full/f.txt"), "x");
    WriteFile(FtpPath(folder + L"/f.txt"), "x");
    WriteFile(FtpPath(folder + L"/noenter/f.txt"), "x");
    const ftptest::Login login;

    EXPECT_FALSE(Engine().DeleteFtpFile(login, folder + L"/noenter", L"f.txt"));
    EXPECT_FALSE(Engine().RemoveFtpFolder(login, folder + L"/noenter", L"empty"));
    EXPECT_FALSE(Engine().RemoveFtpFolder(login, folder, L"full"));
    EXPECT_FALSE(Engine().DeleteFtpFile({login.server, login.user, L"wrong"}, folder, L"f.txt"));
    EXPECT_FALSE(Engine().DeleteFtpFile(login, folder, L"missing.txt"));
    EXPECT_TRUE(Exists(FtpPath(folder + L"/f.txt")));
    EXPECT_TRUE(Exists(FtpPath(folder + L"/empty")));
    EXPECT_TRUE(Exists(FtpPath(folder + L"/noenter/f.txt")));

    EXPECT_TRUE(Engine().DeleteFtpFile(login, folder, L"f.txt"));
    EXPECT_TRUE(Engine().RemoveFtpFolder(login, folder, L"empty"));
    EXPECT_FALSE(Exists(FtpPath(folder + L"/f.txt")));
    EXPECT_FALSE(Exists(FtpPath(folder + L"/empty")));
}

struct Recorded {
    Names paths;
    int ends = 0;
    FtpDeleteProgress Progress()
    {
        return {[this](const std::wstring& path) { paths.push_back(path); }, [this] { ++ends; }};
    }
};

TEST(FtpTreeWin, DeletesADeepTreeCompletely)
{
    const std::wstring folder = FreshFtpFolder(L"delete_deep");
    MakeFolders(FtpPath(folder + L"/t/a/b/c/d"));
    MakeFolders(FtpPath(folder + L"/t/e"));
    WriteFile(FtpPath(folder + L"/t/1.txt"), "1");
    WriteFile(FtpPath(folder + L"/t/a/2.txt"), "2");
    WriteFile(FtpPath(folder + L"/t/a/b/c/d/3.txt"), "3");
    WriteFile(FtpPath(folder + L"/keep.txt"), "k");
    const ftptest::Login login;

    Recorded recorded;
    FtpListing work;
    Engine().DeleteFtpFolderTree(login, folder, L"t", work, recorded.Progress());
    EXPECT_FALSE(Exists(FtpPath(folder + L"/t")));
    EXPECT_TRUE(Exists(FtpPath(folder + L"/keep.txt")));
    const std::wstring t = folder + L"/t";
    EXPECT_EQ(recorded.paths, (Names{t + L"/1.txt", t + L"/a/2.txt", t + L"/a/b/c/d/3.txt", t + L"/e",
                                     t + L"/a/b/c/d", t + L"/a/b/c", t + L"/a/b", t + L"/a"}));
    EXPECT_EQ(recorded.ends, 1);

    // An empty folder goes with the first attempt, without a listing.
    MakeFolders(FtpPath(folder + L"/empty"));
    const ftptest::ServerLog log;
    Engine().DeleteFtpFolderTree(login, folder, L"empty", work, recorded.Progress());
    EXPECT_FALSE(Exists(FtpPath(folder + L"/empty")));
    EXPECT_EQ(log.Count("LIST"), 0);
    EXPECT_EQ(recorded.ends, 2);
}

TEST(FtpTreeWin, AnUndeletableFileKeepsExactlyItsFolders)
{
    const std::wstring folder = FreshFtpFolder(L"delete_partial");
    MakeFolders(FtpPath(folder + L"/t/a/b"));
    MakeFolders(FtpPath(folder + L"/t/c"));
    WriteFile(FtpPath(folder + L"/t/a/b/undeletable.txt"), "u");
    WriteFile(FtpPath(folder + L"/t/a/b/other.txt"), "o");
    WriteFile(FtpPath(folder + L"/t/a/x.txt"), "x");
    WriteFile(FtpPath(folder + L"/t/c/y.txt"), "y");
    const ftptest::Login login;

    Recorded recorded;
    FtpListing work;
    Engine().DeleteFtpFolderTree(login, folder, L"t", work, recorded.Progress());
    FtpListing left;
    ASSERT_TRUE(Engine().EnumerateFtpTree(left, login, folder));
    const std::wstring t = folder + L"/t";
    EXPECT_EQ(left.fileNames, (Names{t + L"/a/b/undeletable.txt"}));
    EXPECT_EQ(left.folderNames, (Names{t, t + L"/a", t + L"/a/b"}));
}

TEST(FtpTreeWin, DeletionBelowALoginDirectoryThatIsNotTheRoot)
{
    FreshFtpFolder(L"sub/twin");
    const std::wstring rootTwin = FreshFtpFolder(L"twin");
    MakeFolders(FtpPath(L"sub/twin/inner"));
    WriteFile(FtpPath(L"sub/twin/inner/f.txt"), "sub");
    MakeFolders(FtpPath(L"twin/inner"));
    WriteFile(FtpPath(L"twin/inner/f.txt"), "root");
    const ftptest::Login sub = ftptest::SubUser();

    FtpListing listing;
    ASSERT_TRUE(Engine().EnumerateFtpTree(listing, sub, L""));
    EXPECT_NE(std::find(listing.folderNames.begin(), listing.folderNames.end(), L"twin/inner"),
              listing.folderNames.end());

    Recorded recorded;
    Engine().DeleteFtpFolderTree(sub, L"", L"twin", listing, recorded.Progress());
    EXPECT_EQ(recorded.paths, (Names{L"twin/inner/f.txt", L"twin/inner"}));
    EXPECT_FALSE(Exists(FtpPath(L"sub/twin")));
    EXPECT_TRUE(Exists(FtpPath(L"twin/inner/f.txt")));
    testenv::RemoveTree(FtpPath(rootTwin));
}

}  // namespace
