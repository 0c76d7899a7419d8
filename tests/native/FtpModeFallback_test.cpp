// The fallback between passive and active mode against the fake server, and
// the reasons that failures carry to the messages.
#include "FakeFtp.h"

#include "ftp/FtpEngine.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using Log = std::vector<std::wstring>;

const FtpLogin kPassive = {L"ftp://host", L"u", L"secret", FtpMode::kPassive};
const FtpLogin kActive = {L"ftp://host", L"u", L"secret", FtpMode::kActive};

class FtpModeFallbackTest : public ::testing::Test {
protected:
    FtpModeFallbackTest()
    {
        ftp.AddFile(L"/d/f.txt", 3);
        ftp.AddFolder(L"/d/empty");
        engine.SetPartSuffix([] { return std::wstring(L"t"); });
    }

    FakeFtp ftp;
    FtpEngine engine{ftp};
    FtpListing listing;
};

}  // namespace

TEST_F(FtpModeFallbackTest, ARefusedModeIsTriedOnceInTheOtherAndThenKept)
{
    struct Case { FtpLogin login; FtpMode refused; const wchar_t* first; const wchar_t* second; };
    const Case cases[] = {
        {kPassive, FtpMode::kPassive, L"OPEN host:21 u", L"OPEN host:21 u active"},
        {kActive, FtpMode::kActive, L"OPEN host:21 u active", L"OPEN host:21 u"},
    };
    for (const Case& c : cases) {
        FakeFtp server;
        server.AddFile(L"/d/f.txt", 3);
        server.refuseMode = {c.refused};
        FtpEngine fresh(server);
        fresh.SetPartSuffix([] { return std::wstring(L"t"); });
        ASSERT_TRUE(fresh.ListFtpFolder(listing, c.login, L"d"));
        EXPECT_EQ(listing.fileNames, (Log{L"f.txt"}));
        // The second login enters the same folder before it lists again.
        EXPECT_EQ(server.log, (Log{c.first, L"CWD /d", L"LIST /d", L"CLOSE", c.second, L"CWD /d", L"LIST /d"}));
        EXPECT_EQ(fresh.TakeModeSwitch(), OtherMode(c.refused));
        EXPECT_EQ(fresh.TakeModeSwitch(), std::nullopt);  // told once
        EXPECT_EQ(fresh.ModeInUse(c.login), OtherMode(c.refused));

        // From now on a new login uses the working mode at once, for transfers too.
        fresh.CloseSession();
        server.log.clear();
        EXPECT_TRUE(fresh.DownloadFile(L"C:\\x", c.login, L"d", L"f.txt"));
        EXPECT_TRUE(fresh.UploadFile(L"C:\\x\\up.txt", c.login, L"d"));
        EXPECT_EQ(server.log, (Log{c.second, L"CWD /d", L"RETR /d/f.txt > C:\\x\\f.txt",
                                   L"STOR C:\\x\\up.txt > /d/.up.txt.part-t", L"RNFR /d/.up.txt.part-t RNTO /d/up.txt"}));
        EXPECT_EQ(fresh.TakeModeSwitch(), std::nullopt);

        // Another server, or the other choice on this one, starts from its own mode.
        FtpLogin other = c.login;
        other.serverName = L"ftp://host:2121";
        EXPECT_EQ(fresh.ModeInUse(other), c.login.mode);
        other = c.login;
        other.mode = OtherMode(c.login.mode);
        EXPECT_EQ(fresh.ModeInUse(other), other.mode);
    }
}

TEST_F(FtpModeFallbackTest, TransfersFallBackAndBothModesRefusedKeepTheChosenModesReason)
{
    ftp.refuseMode = {FtpMode::kPassive};
    EXPECT_TRUE(engine.UploadFile(L"C:\\x\\up.txt", kPassive, L"d"));
    EXPECT_EQ(Log(ftp.log.begin() + 4, ftp.log.end()),
              (Log{L"OPEN host:21 u active", L"CWD /d", L"STOR C:\\x\\up.txt > /d/.up.txt.part-t", L"RNFR /d/.up.txt.part-t RNTO /d/up.txt"}));
    EXPECT_EQ(engine.TakeModeSwitch(), FtpMode::kActive);

    FakeFtp closed;
    closed.AddFile(L"/d/f.txt", 3);
    closed.refuseMode = {FtpMode::kPassive, FtpMode::kActive};
    FtpEngine refused(closed);
    EXPECT_FALSE(refused.DownloadFile(L"C:\\x", kPassive, L"d", L"f.txt"));
    EXPECT_EQ(refused.LastFailure().text, L"550 Permission denied.");
    EXPECT_EQ(refused.TakeModeSwitch(), std::nullopt);
    EXPECT_EQ(refused.ModeInUse(kPassive), FtpMode::kPassive);
}

TEST_F(FtpModeFallbackTest, RefusalsThatAreNotTheModesAreNotTriedAgain)
{
    ftp.AddFolder(L"/d/locked");
    ftp.refuseListing = {L"/d/locked"};
    // Before any data connection worked, a refused listing may be the mode's.
    EXPECT_FALSE(engine.ListFtpFolder(listing, kPassive, L"d/locked"));
    EXPECT_EQ(std::count(ftp.log.begin(), ftp.log.end(), L"LIST /d/locked"), 2);
    EXPECT_EQ(engine.LastFailure().text, L"550 Listing not allowed.");

    // Once the mode worked on the server, a missing file or a refused folder
    // is about the entry, and a failed login is never the mode's.
    ASSERT_TRUE(engine.ListFtpFolder(listing, kPassive, L"d"));
    ftp.log.clear();
    EXPECT_FALSE(engine.DownloadFile(L"C:\\x", kPassive, L"d", L"missing.txt"));
    EXPECT_FALSE(engine.ListFtpFolder(listing, kPassive, L"d/locked"));
    EXPECT_FALSE(engine.ListFtpFolder(listing, {L"ftp://host", L"u", L"wrong"}, L"d"));
    EXPECT_EQ(std::count(ftp.log.begin(), ftp.log.end(), L"OPEN host:21 u active"), 0);
    EXPECT_EQ(engine.LastFailure().text, L"530 Login incorrect.");
    EXPECT_TRUE(engine.LastFailure().atLogin);
    EXPECT_EQ(engine.TakeModeSwitch(), std::nullopt);
}

TEST(FtpFailure, WhichFailuresMayBeTheModesAndHowTheirReasonReads)
{
    struct Case { FtpFailure failure; bool mayBeMode; const wchar_t* line; };
    const Case cases[] = {
        {{FtpFailureKind::kServerReply, 12003, L"550 Permission denied."}, true, L"Server: 550 Permission denied."},
        {{FtpFailureKind::kServerReply, 12003, L"500 PASV not understood."}, true, L"Server: 500 PASV not understood."},
        {{FtpFailureKind::kServerReply, 12029, L"425 Can't open data connection."}, true,
         L"Server: 425 Can't open data connection."},
        {{FtpFailureKind::kServerReply, 12003, L"421 Too many connections."}, false,
         L"Server: 421 Too many connections."},
        {{FtpFailureKind::kServerReply, 12003, L"450 Busy."}, false, L"Server: 450 Busy."},
        {{FtpFailureKind::kNoAnswer, 12002, L""}, true, L"silence"},
        {{FtpFailureKind::kSystem, 12029, L"No connection."}, true, L"No connection."},
        {{FtpFailureKind::kSystem, 2, L"File not found."}, false, L"File not found."},
        {{FtpFailureKind::kSystem, 12157, L""}, true, L"Error 12157"},
        // A data connection refused or timed out (Winsock) may be the mode's.
        {{FtpFailureKind::kSystem, 10061, L""}, true, L"Refused."},
        {{FtpFailureKind::kSystem, 10060, L""}, true, L"Error 10060"},
        {{}, false, L""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MayBeModeFailure(c.failure), c.mayBeMode) << c.failure.text;
        EXPECT_EQ(FailureReasonLine(c.failure, {L"Server: %1", L"silence", L"incomplete", L"left behind", L"", {{10061, L"Refused."}}}), c.line);
    }
    EXPECT_EQ(WithReason(L"Sentence.", {}, {}), L"Sentence.");
    EXPECT_EQ(HidePassword(L"530 Bad password pw, pw!", L"pw"), L"530 Bad password ******, ******!");
    EXPECT_EQ(HidePassword(L"530 Login incorrect.", L""), L"530 Login incorrect.");
    // A short password hides no reply code, on any line of the reply.
    EXPECT_EQ(HidePassword(L"530-No 53 here\n530 End 5305", L"53"), L"530-No ****** here\n530 End ******05");
}
