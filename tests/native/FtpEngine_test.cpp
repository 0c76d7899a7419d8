#include "FakeFtp.h"

#include "ftp/FtpEngine.h"

#include <gtest/gtest.h>

namespace {

using Log = std::vector<std::wstring>;

const std::wstring kServer = L"ftp://host";
const std::wstring kUser = L"u";
const std::wstring kPassword = L"secret";

class FtpEngineTest : public ::testing::Test {
protected:
    FtpEngineTest() { ops.SetPartSuffix([] { return std::wstring(L"t"); }); }

    FakeFtp ftp;
    FtpEngine ops{ftp};
    FtpListing listing;
};

TEST_F(FtpEngineTest, ListingKeepsServerOrderFullSizesAndTimes)
{
    ftp.AddFile(L"/d/z.txt", 10, 555);
    ftp.AddFolder(L"/d/b");
    ftp.AddFile(L"/d/big.iso", 5368709120ull);
    ftp.AddRawEntry(L"/d", {L".", kFtpAttributeDirectory, 0, 0});
    ftp.AddRawEntry(L"/d", {L"..", kFtpAttributeDirectory, 0, 0, 777});
    ftp.AddRawEntry(L"/d", {L"..\\evil.txt", 0, 0, 1});
    ftp.AddRawEntry(L"/d", {L"x/y", 0, 0, 1});
    ftp.AddRawEntry(L"/d", {L"", 0, 0, 1});
    ftp.AddFolder(L"/d/a");
    listing.unlistedFolders = {L"stale"};

    ASSERT_TRUE(ops.ListFtpFolder(listing, {kServer, kUser, kPassword}, L"d"));
    EXPECT_EQ(listing.fileNames, (Log{L"z.txt", L"big.iso"}));
    EXPECT_EQ(listing.fileSizes, (std::vector<std::uint64_t>{10, 5368709120ull}));
    EXPECT_EQ(listing.folderNames, (Log{L"b", L"a"}));
    EXPECT_EQ(listing.fileTimes, (std::vector<std::uint64_t>{555, 0}));
    EXPECT_EQ(listing.folderTimes, (std::vector<std::uint64_t>{0, 0}));
    EXPECT_EQ(listing.parentTime, 777u);
    EXPECT_TRUE(listing.unlistedFolders.empty());
    EXPECT_EQ(ftp.log, (Log{L"OPEN host:21 u", L"CWD /d", L"LIST /d"}));
}

TEST_F(FtpEngineTest, ServerNamePortAndPrefixReachTheConnection)
{
    // Another server is another login; the kept session closes first.
    struct Case { const wchar_t* server; Log log; };
    const Case cases[] = {
        {L"ftp://host:2121", {L"OPEN host:2121 u", L"LIST /"}},
        {L"ftp://[::1]:2121", {L"CLOSE", L"OPEN ::1:2121 u", L"LIST /"}},
        {L"FTP://host", {L"CLOSE", L"OPEN FTP://host:21 u", L"LIST /"}},
        {L"ftp://host:x", {L"CLOSE"}},  // no port: no connection is tried at all
    };
    for (const Case& c : cases) {
        ftp.log.clear();
        ops.ListFtpFolder(listing, {c.server, kUser, kPassword}, L"");
        EXPECT_EQ(ftp.log, c.log) << c.server;
    }
}

TEST_F(FtpEngineTest, UploadEntersOrCreatesTheFolder)
{
    ftp.AddFolder(L"/x");
    ftp.AddFolder(L"/sub/have");
    ftp.AddFolder(L"/locked");
    ftp.refuseEnter = {L"/locked", L"/locked/in"};

    struct Case { const wchar_t* login; const wchar_t* folder; bool stored; Log log; };
    const Case cases[] = {
        {L"/", L"x", true, {L"CWD /x", L"STOR C:\\data\\f.txt > /x/.f.txt.part-t", L"RNFR /x/.f.txt.part-t RNTO /x/f.txt"}},
        {L"/", L"", true, {L"STOR C:\\data\\f.txt > /.f.txt.part-t", L"RNFR /.f.txt.part-t RNTO /f.txt"}},
        {L"/", L"x/new", true,
         {L"CWD /x/new", L"MKD /x/new", L"CWD /x/new", L"STOR C:\\data\\f.txt > /x/new/.f.txt.part-t", L"RNFR /x/new/.f.txt.part-t RNTO /x/new/f.txt"}},
        // Only x exists: every level is created by its path from the login directory.
        {L"/", L"x/y/z", true,
         {L"CWD /x/y/z", L"MKD /x/y/z", L"MKD /x", L"MKD /x/y", L"MKD /x/y/z", L"CWD /x/y/z",
          L"STOR C:\\data\\f.txt > /x/y/z/.f.txt.part-t", L"RNFR /x/y/z/.f.txt.part-t RNTO /x/y/z/f.txt"}},
        {L"/sub", L"/p/q", true,
         {L"CWD /p/q", L"MKD /p/q", L"MKD /p", L"MKD /p/q", L"CWD /p/q",
          L"STOR C:\\data\\f.txt > /p/q/.f.txt.part-t", L"RNFR /p/q/.f.txt.part-t RNTO /p/q/f.txt"}},
        {L"/sub", L"have/n", true,
         {L"CWD /sub/have/n", L"MKD /sub/have/n", L"CWD /sub/have/n",
          L"STOR C:\\data\\f.txt > /sub/have/n/.f.txt.part-t", L"RNFR /sub/have/n/.f.txt.part-t RNTO /sub/have/n/f.txt"}},
        // Still not enterable after creating: nothing is stored anywhere.
        {L"/", L"locked/in", false, {L"CWD /locked/in", L"MKD /locked/in", L"CWD /locked/in"}},
        {L"/", L"locked", false, {L"CWD /locked", L"MKD /locked", L"MKD /locked", L"CWD /locked"}},
    };
    for (const Case& c : cases) {
        ftp.loginFolder = c.login;
        ops.CloseSession();
        ftp.log.clear();
        EXPECT_EQ(static_cast<bool>(ops.UploadFile(L"C:\\data\\f.txt", {kServer, kUser, kPassword}, c.folder)), c.stored)
            << c.folder;
        Log expected = c.log;
        expected.insert(expected.begin(), L"OPEN host:21 u");
        EXPECT_EQ(ftp.log, expected) << c.folder;
    }
    EXPECT_TRUE(ftp.HasFile(L"/x/y/z/f.txt"));
    EXPECT_TRUE(ftp.HasFile(L"/p/q/f.txt"));
}

TEST_F(FtpEngineTest, UploadWithoutLoginOrNameTransfersNothing)
{
    listing.fileNames = {L"kept"};
    EXPECT_FALSE(ops.UploadFile(L"C:\\data\\f.txt", {kServer, kUser, L"wrong"}, L"x"));
    EXPECT_FALSE(ops.UploadFile(L"C:\\data\\", {kServer, kUser, kPassword}, L"x"));
    EXPECT_EQ(ftp.log, (Log{L"OPEN host:21 u"}));
    EXPECT_EQ(listing.fileNames, (Log{L"kept"}));
}

TEST_F(FtpEngineTest, CreateFtpFolderPathNeverMovesTheBase)
{
    ftp.AddFolder(L"/a");
    ftp.AddFolder(L"/a/a");
    ops.CreateFtpFolderPath({kServer, kUser, kPassword}, L"a/b/c/");
    ops.CreateFtpFolderPath({kServer, kUser, kPassword}, L"/a//d");
    ops.CreateFtpFolderPath({kServer, kUser, kPassword}, L"");
    EXPECT_EQ(ftp.log,
              (Log{L"OPEN host:21 u", L"MKD /a", L"MKD /a/b", L"MKD /a/b/c", L"MKD /a", L"MKD /a/d"}));
    EXPECT_TRUE(ftp.HasFolder(L"/a/b/c"));
    EXPECT_FALSE(ftp.HasFolder(L"/a/a/b"));
}

TEST_F(FtpEngineTest, DownloadRefusesUnsafeNamesAndFoldersItCannotEnter)
{
    ftp.AddFile(L"/d/f.txt", 3);
    ftp.AddFile(L"/d/a/b.txt", 3);
    ftp.AddFolder(L"/locked");
    ftp.refuseEnter = {L"/locked"};

    EXPECT_TRUE(ops.DownloadFile(L"C:\\dl", {kServer, kUser, kPassword}, L"d", L"a/b.txt"));
    // Waiting window messages are let through after each block.
    EXPECT_EQ(ftp.log, (Log{L"OPEN host:21 u", L"CWD /d", L"RETR /d/a/b.txt > C:\\dl\\a\\b.txt"}));

    for (const wchar_t* name : {L"..\\evil.txt", L"../f.txt", L"a:b", L"CON", L"trail.", L"", L"/d/f.txt"}) {
        ftp.log.clear();
        EXPECT_FALSE(ops.DownloadFile(L"C:\\dl", {kServer, kUser, kPassword}, L"d", name)) << name;
        EXPECT_TRUE(ftp.log.empty()) << name;
    }
    ftp.log.clear();
    EXPECT_FALSE(ops.DownloadFile(L"C:\\dl", {kServer, kUser, kPassword}, L"locked", L"f.txt"));
    EXPECT_EQ(ftp.log, (Log{L"CWD /locked"}));
}

TEST_F(FtpEngineTest, TheSessionIsKeptForAMinuteAndLoggedInOnceMoreWhenTheServerDroppedIt)
{
    double now = 0;
    FtpEngine engine(ftp, kMaxTreeFolders, std::make_shared<FtpModeMemory>(), [&now] { return now; });
    ftp.AddFolder(L"/d");
    struct Step { double at; bool dropped; Log log; };
    const Step steps[] = {
        {0, false, {L"OPEN host:21 u", L"CWD /d", L"LIST /d"}},
        {59.5, false, {L"LIST /d"}},  // the same session, still in the folder
        {119.5, false, {L"CLOSE", L"OPEN host:21 u", L"CWD /d", L"LIST /d"}},  // idle for a minute
        {120, true, {L"CLOSE", L"OPEN host:21 u", L"CWD /d", L"LIST /d"}},  // the 421 is not seen
    };
    for (const Step& step : steps) {
        now = step.at;
        if (step.dropped)
            ftp.DropSessions();
        ftp.log.clear();
        EXPECT_TRUE(engine.ListFtpFolder(listing, {kServer, kUser, kPassword}, L"d")) << step.at;
        EXPECT_EQ(ftp.log, step.log) << step.at;
    }
    EXPECT_FALSE(engine.IsSessionIdle());
    now = 180;
    EXPECT_TRUE(engine.IsSessionIdle());
}

}  // namespace
