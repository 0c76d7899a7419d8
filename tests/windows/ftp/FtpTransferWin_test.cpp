#include "FtpTestSupport.h"

#include "ftp/FtpEngine.h"

#include <gtest/gtest.h>

#include <filesystem>

using testenv::Exists;
using testenv::FreshFtpFolder;
using testenv::FtpPath;
using testenv::MakeFolders;
using testenv::ReadFile;
using testenv::ScratchFolder;
using testenv::WriteFile;

using ftptest::Engine;

namespace {

std::vector<std::wstring> FolderContents(const std::wstring& folder)
{
    std::vector<std::wstring> names;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(std::filesystem::path(folder)))
        names.push_back(std::filesystem::relative(entry.path(), std::filesystem::path(folder)).wstring());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(FtpTransferWin, UploadCreatesMissingLevelsAndOverwrites)
{
    const std::wstring folder = FreshFtpFolder(L"up_levels");
    MakeFolders(FtpPath(folder + L"/x"));
    const std::wstring local = ScratchFolder(L"up_levels") + L"\\report.txt";
    WriteFile(local, "first");
    const ftptest::Login login;
    FtpListing listing;
    listing.fileNames = {L"kept"};

    struct Case { std::wstring folder; std::wstring lands; };
    const Case cases[] = {
        {folder + L"/x", folder + L"/x/report.txt"},
        {folder + L"/x/y/z", folder + L"/x/y/z/report.txt"},        // only x exists
        {L"/" + folder + L"/p/q", folder + L"/p/q/report.txt"},     // from the server's root
        {folder + L"/x/", folder + L"/x/report.txt"},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(Engine().UploadFile(local, login, c.folder)) << c.folder;
        EXPECT_EQ(ReadFile(FtpPath(c.lands)), "first") << c.folder;
    }
    EXPECT_EQ(listing.fileNames, (std::vector<std::wstring>{L"kept"}));

    WriteFile(local, "second, longer");
    EXPECT_TRUE(Engine().UploadFile(local, login, folder + L"/x"));
    EXPECT_EQ(ReadFile(FtpPath(folder + L"/x/report.txt")), "second, longer");
}

TEST(FtpTransferWin, UploadThatCannotReachItsFolderStoresNothing)
{
    const std::wstring folder = FreshFtpFolder(L"up_fail");
    MakeFolders(FtpPath(folder + L"/noenter"));
    const std::wstring local = ScratchFolder(L"up_fail") + L"\\f.txt";
    WriteFile(local, "data");
    FtpListing listing;
    const ftptest::Login login;
    ftptest::Login reader;
    reader.user = testenv::kReader;

    struct Case { ftptest::Login login; std::wstring folder; const wchar_t* password; };
    const Case cases[] = {
        {login, folder + L"/new/deeper", L"wrong"},
        {login, folder + L"/noenter", L"secret"},
        {login, folder + L"/noenter/below", L"secret"},
        {reader, folder + L"/new/deeper", L"secret"},
        {login, folder + L"/missing", L"secret"},  // the local file is missing below
    };
    for (const Case& c : cases) {
        const std::wstring source = c.folder == folder + L"/missing" ? local + L".gone" : local;
        EXPECT_FALSE(Engine().UploadFile(source, {c.login.server, c.login.user, c.password}, c.folder)) << c.folder;
    }
    EXPECT_FALSE(Exists(FtpPath(folder + L"/new")));
    EXPECT_FALSE(Exists(FtpPath(folder + L"/f.txt")));
    EXPECT_FALSE(Exists(FtpPath(L"f.txt")));
    EXPECT_FALSE(Exists(FtpPath(folder + L"/noenter/f.txt")));
    EXPECT_FALSE(Exists(FtpPath(folder + L"/missing/f.txt")));
}

TEST(FtpTransferWin, UploadIntoTheLoginDirectoryOfAnotherUser)
{
    FreshFtpFolder(L"sub/up_login");
    const std::wstring local = ScratchFolder(L"up_login") + L"\\up_login_file.txt";
    WriteFile(local, "sub");
    const ftptest::Login sub = ftptest::SubUser();
    FtpListing listing;
    EXPECT_TRUE(Engine().UploadFile(local, sub, L"up_login/n"));
    EXPECT_TRUE(Engine().UploadFile(local, sub, L""));
    EXPECT_EQ(ReadFile(FtpPath(L"sub/up_login/n/up_login_file.txt")), "sub");
    EXPECT_EQ(ReadFile(FtpPath(L"sub/up_login_file.txt")), "sub");
    EXPECT_FALSE(Exists(FtpPath(L"up_login")));
    std::filesystem::remove(std::filesystem::path(FtpPath(L"sub/up_login_file.txt")));
}

TEST(FtpTransferWin, DownloadReplacesAndKeepsWhatItCannotFetch)
{
    const std::wstring folder = FreshFtpFolder(L"down_basic");
    MakeFolders(FtpPath(folder + L"/a"));
    WriteFile(FtpPath(folder + L"/f.bin"), std::string("\0\r\n\x1a\xff", 5));
    WriteFile(FtpPath(folder + L"/a/g.txt"), "inner");
    const std::wstring local = ScratchFolder(L"down_basic");
    MakeFolders(local + L"\\a");
    WriteFile(local + L"\\f.bin", "old content that is longer");
    WriteFile(local + L"\\kept.txt", "mine");
    const ftptest::Login login;

    EXPECT_TRUE(Engine().DownloadFile(local, login, folder, L"f.bin"));
    EXPECT_EQ(ReadFile(local + L"\\f.bin"), std::string("\0\r\n\x1a\xff", 5));
    EXPECT_TRUE(Engine().DownloadFile(local, login, folder, L"a/g.txt"));
    EXPECT_EQ(ReadFile(local + L"\\a\\g.txt"), "inner");

    // A missing remote file leaves the local one of that name as it was.
    EXPECT_FALSE(Engine().DownloadFile(local, login, folder, L"kept.txt"));
    EXPECT_FALSE(Engine().DownloadFile(local, {login.server, login.user, L"wrong"}, folder, L"f.bin"));
    EXPECT_FALSE(Engine().DownloadFile(local + L"\\missing", login, folder, L"f.bin"));
    EXPECT_EQ(ReadFile(local + L"\\kept.txt"), "mine");
    EXPECT_EQ(FolderContents(local), (std::vector<std::wstring>{L"a", L"a\\g.txt", L"f.bin", L"kept.txt"}));
}

TEST(FtpTransferWin, DownloadNeverFetchesFromAnotherFolder)
{
    const std::wstring folder = FreshFtpFolder(L"down_noenter");
    MakeFolders(FtpPath(folder + L"/noenter"));
    WriteFile(FtpPath(folder + L"/noenter/same.txt"), "inside");
    WriteFile(FtpPath(L"same.txt"), "login directory");
    const std::wstring local = ScratchFolder(L"down_noenter");
    const ftptest::Login login;
    EXPECT_FALSE(Engine().DownloadFile(local, login, folder + L"/noenter", L"same.txt"));
    EXPECT_FALSE(Engine().DownloadFile(local, login, folder + L"/gone", L"same.txt"));
    EXPECT_TRUE(FolderContents(local).empty());
    std::filesystem::remove(std::filesystem::path(FtpPath(L"same.txt")));
}

TEST(FtpTransferWin, HostileNamesWriteNothingOutsideTheDownloadFolder)
{
    const std::wstring outer = ScratchFolder(L"down_hostile");
    const std::wstring local = outer + L"\\dl";
    MakeFolders(local);
    const ftptest::Login login;
    {
        // Refused before any connection is made.
        const ftptest::ServerLog log;
        for (const wchar_t* name : {L"..\\evil.txt", L"../evil.txt", L"a:b", L"x*y", L"q?", L"lt<gt>", L"quote\"d",
                                    L"pipe|d", L"CON", L"nul.txt", L"com1.log", L"trail.", L"trail ", L"tab\tname"})
            EXPECT_FALSE(Engine().DownloadFile(local, login, L"hostile", name)) << name;
        EXPECT_EQ(log.Count("USER"), 0);
    }
    // Whatever the listing makes of the names, only the real one arrives.
    FtpListing listing;
    ASSERT_TRUE(Engine().ListFtpFolder(listing, login, L"hostile"));
    for (const std::wstring& name : listing.fileNames)
        EXPECT_EQ(static_cast<bool>(Engine().DownloadFile(local, login, L"hostile", name)), name == L"ok.txt")
            << name;
    EXPECT_EQ(FolderContents(outer), (std::vector<std::wstring>{L"dl", L"dl\\ok.txt"}));
    EXPECT_FALSE(Exists(outer + L"\\..\\evil.txt"));
    EXPECT_EQ(ReadFile(local + L"\\ok.txt"), "content of ok.txt\n");
}

}  // namespace
