#include "FtpTestSupport.h"

#include "ftp/FtpEngine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

using testenv::FreshFtpFolder;
using testenv::FtpPath;
using testenv::MakeFolders;
using testenv::WriteFile;

using ftptest::Engine;

namespace {

using Names = std::vector<std::wstring>;

TEST(FtpListingWin, ServerNamesPortsAndPasswords)
{
    const std::wstring folder = FreshFtpFolder(L"list_names");
    WriteFile(FtpPath(folder + L"/f.txt"), "x");
    const std::wstring port = std::to_wstring(testenv::FtpPort());
    const std::wstring otherPort = std::to_wstring(testenv::FtpPort() == 2 ? 3 : testenv::FtpPort() - 1);

    struct Case { std::wstring server; const wchar_t* password; bool listed; };
    const Case cases[] = {
        {L"ftp://127.0.0.1:" + port, L"secret", true},
        {L"127.0.0.1:" + port, L"secret", true},               // no prefix: used unchanged
        {L"ftp://localhost:" + port, L"secret", true},
        {L"FTP://127.0.0.1:" + port, L"secret", false},        // prefix in capitals stays, and fails
        {L"ftp://", L"secret", false},
        {L"ftp://127.0.0.1:" + otherPort, L"secret", false},   // nobody listens there
        {L"ftp://127.0.0.1:x" + port, L"secret", false},
        {L"ftp://127.0.0.1:" + port, L"wrong", false},
        {L"ftp://127.0.0.1:" + port, L"", false},
    };
    for (const Case& c : cases) {
        FtpListing listing;
        listing.fileNames = {L"stale"};
        EXPECT_EQ(Engine().ListFtpFolder(listing, {c.server, testenv::kUser, c.password}, folder), c.listed) << c.server;
        EXPECT_EQ(listing.fileNames, c.listed ? Names{L"f.txt"} : Names{}) << c.server;
    }
}

TEST(FtpListingWin, FilesAndFoldersInServerOrderWithFullSizes)
{
    const std::wstring folder = FreshFtpFolder(L"list_order");
    MakeFolders(FtpPath(folder + L"/m_folder"));
    MakeFolders(FtpPath(folder + L"/a_folder"));
    WriteFile(FtpPath(folder + L"/b.txt"), "12345");
    WriteFile(FtpPath(folder + L"/z.txt"), "");
    WriteFile(FtpPath(folder + L"/a.iso"), "");
    std::filesystem::resize_file(std::filesystem::path(FtpPath(folder + L"/a.iso")), 1610612736ull);  // sparse

    const ftptest::Login login;
    const ftptest::ServerLog log;
    FtpListing listing;
    ASSERT_TRUE(Engine().ListFtpFolder(listing, login, folder));
    // The server sorts its listing by name.
    EXPECT_EQ(listing.fileNames, (Names{L"a.iso", L"b.txt", L"z.txt"}));
    EXPECT_EQ(listing.fileSizes, (std::vector<std::uint64_t>{1610612736ull, 5, 0}));
    EXPECT_EQ(listing.folderNames, (Names{L"a_folder", L"m_folder"}));

    // One login, one listing, and no file is opened for its size.
    EXPECT_EQ(log.Count("USER"), 1);
    EXPECT_EQ(log.Count("LIST"), 1);
    EXPECT_EQ(log.Count("RETR") + log.Count("SIZE") + log.Count("MLSD") + log.Count("NLST"), 0);
}

TEST(FtpListingWin, EmptyFolderRefusedListingAndFolderThatCannotBeEntered)
{
    const std::wstring folder = FreshFtpFolder(L"list_fail");
    MakeFolders(FtpPath(folder + L"/empty"));
    MakeFolders(FtpPath(folder + L"/nolist"));
    MakeFolders(FtpPath(folder + L"/noenter"));
    WriteFile(FtpPath(folder + L"/nolist/hidden.txt"), "x");
    WriteFile(FtpPath(folder + L"/noenter/inside.txt"), "x");

    const ftptest::Login login;
    struct Case { std::wstring folder; bool listed; };
    const Case cases[] = {
        {folder + L"/empty", true},
        {folder + L"/nolist", false},
        {folder + L"/noenter", false},   // never the login directory in its place
        {folder + L"/missing", false},
    };
    for (const Case& c : cases) {
        FtpListing listing;
        listing.folderNames = {L"stale"};
        EXPECT_EQ(Engine().ListFtpFolder(listing, login, c.folder), c.listed) << c.folder;
        EXPECT_TRUE(listing.fileNames.empty() && listing.fileSizes.empty() && listing.folderNames.empty())
            << c.folder;
    }
}

TEST(FtpListingWin, LoginDirectoryThatIsNotTheRoot)
{
    const std::wstring folder = FreshFtpFolder(L"sub/list_login");
    WriteFile(FtpPath(folder + L"/in_sub.txt"), "x");
    const ftptest::Login sub = ftptest::SubUser();
    const ftptest::ServerLog log;

    FtpListing listing;
    ASSERT_TRUE(Engine().ListFtpFolder(listing, sub, L""));
    const auto has = [&listing](const wchar_t* name) {
        return std::find(listing.folderNames.begin(), listing.folderNames.end(), name) != listing.folderNames.end();
    };
    EXPECT_TRUE(has(L"list_login"));
    EXPECT_FALSE(has(L"hostile"));
    EXPECT_EQ(log.Count("CWD"), 0);
    ASSERT_TRUE(Engine().ListFtpFolder(listing, sub, L"list_login"));
    EXPECT_EQ(listing.fileNames, (Names{L"in_sub.txt"}));
    ASSERT_TRUE(Engine().ListFtpFolder(listing, sub, L"/hostile"));
    EXPECT_FALSE(listing.fileNames.empty());
}

TEST(FtpListingWin, HostileNamesAreListedOnlyWhenTheyNameOneEntry)
{
    const ftptest::Login login;
    FtpListing listing;
    ASSERT_TRUE(Engine().ListFtpFolder(listing, login, L"hostile"));
    ASSERT_FALSE(listing.fileNames.empty());
    EXPECT_EQ(listing.fileNames.size(), listing.fileSizes.size());
    for (const std::wstring& name : listing.fileNames) {
        EXPECT_FALSE(name.empty() || name == L"." || name == L"..") << name;
        EXPECT_EQ(name.find_first_of(L"/\\"), std::wstring::npos) << name;
    }
    EXPECT_NE(std::find(listing.fileNames.begin(), listing.fileNames.end(), L"ok.txt"), listing.fileNames.end());
    EXPECT_NE(std::find(listing.fileNames.begin(), listing.fileNames.end(), L"a:b"), listing.fileNames.end());
    EXPECT_TRUE(listing.folderNames.empty());
}

}  // namespace
