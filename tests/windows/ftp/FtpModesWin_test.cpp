// Transfer modes, time limits and failure reasons against real servers: the
// test server refusing PASV or PORT, vsftpd with one mode switched off (its
// login directory is not its root), and listeners that never answer, hang up
// or turn every login away (scripts/lib.sh, start_extra_servers).
#include "FtpTestSupport.h"

#include "ftp/FtpEngine.h"
#include "ftp/WinInetFtp.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <set>

using testenv::Exists;
using testenv::FreshFtpFolder;
using testenv::FtpPath;
using testenv::ReadFile;
using testenv::ScratchFolder;
using testenv::WriteFile;

namespace {

// The program's own words for the errors Wine has no text for.
const FailureWords kWords = {L"The server answered: %1", L"no answer", L"incomplete", L"partial left", L"",
                             {{12110, L"The server closed the connection."}, {10061, L"Nothing answers: connect"}}};

}  // namespace

TEST(FtpModesWin, EitherRefusedModeFallsBackAndListsUploadsAndDownloads)
{
    const std::wstring folder = FreshFtpFolder(L"modes");
    WriteFile(FtpPath(folder + L"/there.txt"), "there");
    WriteFile(ftptest::VsftpdHome() + L"\\there.txt", "there");
    const std::wstring local = ScratchFolder(L"modes");
    WriteFile(local + L"\\up.txt", "up");

    struct Case { const wchar_t* port; const wchar_t* user; FtpMode chosen; bool fallsBack; std::wstring folder; };
    const Case cases[] = {
        {L"FTPT_NOPASV_PORT", testenv::kUser, FtpMode::kPassive, true, folder},
        {L"FTPT_NOPASV_PORT", testenv::kUser, FtpMode::kActive, false, folder},
        {L"FTPT_NOPORT_PORT", testenv::kUser, FtpMode::kActive, true, folder},
        {L"FTPT_NOPORT_PORT", testenv::kUser, FtpMode::kPassive, false, folder},
        // Passive ports where nothing listens: Winsock's 10061, a mode failure too.
        {L"FTPT_DEAD_PASV_PORT", testenv::kUser, FtpMode::kPassive, true, folder},
        // vsftpd: "550 Permission denied." to the mode's command; the login
        // directory, not the root, holds the files.
        {L"FTPT_VSFTPD_ACTIVE_PORT", L"ftpttest", FtpMode::kPassive, true, L""},
        {L"FTPT_VSFTPD_PASSIVE_PORT", L"ftpttest", FtpMode::kActive, true, L""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::wstring(c.port) + (c.chosen == FtpMode::kPassive ? L" passive" : L" active"));
        WinInetFtp winInet;
        FtpEngine engine(winInet);
        const FtpLogin login = {ftptest::ServerOn(c.port), c.user, testenv::kPassword, c.chosen};
        FtpListing listing;
        ASSERT_TRUE(engine.ListFtpFolder(listing, login, c.folder));
        EXPECT_NE(std::find(listing.fileNames.begin(), listing.fileNames.end(), L"there.txt"), listing.fileNames.end());
        const FtpMode working = c.fallsBack ? OtherMode(c.chosen) : c.chosen;
        EXPECT_EQ(engine.TakeModeSwitch(), c.fallsBack ? std::optional<FtpMode>(working) : std::nullopt);
        EXPECT_EQ(engine.ModeInUse(login), working);

        const std::wstring upload = c.folder.empty() ? L"up" : c.folder + L"/up";
        ASSERT_TRUE(engine.UploadFile(local + L"\\up.txt", login, upload));
        const std::wstring arrived = c.folder.empty() ? ftptest::VsftpdHome() + L"\\up\\up.txt" : FtpPath(upload + L"/up.txt");
        EXPECT_EQ(ReadFile(arrived), "up");
        const std::wstring target = ScratchFolder(L"modes-down");
        ASSERT_TRUE(engine.DownloadFile(target, login, c.folder, L"there.txt"));
        EXPECT_EQ(ReadFile(target + L"\\there.txt"), "there");
        EXPECT_EQ(engine.TakeModeSwitch(), std::nullopt);  // told once, then kept
    }
}

TEST(FtpModesWin, ServersThatCannotBeUsedEachGiveTheirOwnReasonAndNothingIsWritten)
{
    struct Case { std::wstring server; const wchar_t* user; const wchar_t* password; std::wstring reason; };
    const Case cases[] = {
        {L"ftp://nosuchhost.invalid", testenv::kUser, testenv::kPassword, L"could not be resolved"},
        {ftptest::ServerOn(L"FTPT_CLOSED_PORT"), testenv::kUser, testenv::kPassword, L"connect"},
        {ftptest::ServerOn(L"FTPT_HANGUP_PORT"), testenv::kUser, testenv::kPassword, L"closed the connection"},
        {ftptest::ServerOn(L"FTPT_BUSY_PORT"), testenv::kUser, testenv::kPassword,
         L"The server answered: 421 Too many connections."},
        {testenv::ServerName(), testenv::kUser, L"wrong-pass", L"The server answered: 530 Authentication failed."},
        {ftptest::ServerOn(L"FTPT_VSFTPD_PASSIVE_PORT"), L"ftpttest", L"wrong-pass",
         L"The server answered: 530 Login incorrect."},
        // Accepts and never answers: the time limit ends the wait.
        {ftptest::ServerOn(L"FTPT_SILENT_PORT"), testenv::kUser, testenv::kPassword, L"no answer"},
    };
    const std::wstring local = ScratchFolder(L"broken-servers");
    std::vector<std::wstring> reasons;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.server);
        WinInetFtp winInet;
        FtpEngine engine(winInet);
        const auto start = std::chrono::steady_clock::now();
        EXPECT_FALSE(engine.DownloadFile(local, {c.server, c.user, c.password}, L"", L"there.txt"));
        const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - start);
        // Wine's WinINet alone would wait 30 s for each of the greeting and the login.
        EXPECT_LE(seconds.count(), 25);
        const std::wstring reason = FailureReasonLine(engine.LastFailure(), kWords);
        EXPECT_NE(reason.find(c.reason), std::wstring::npos) << reason;
        EXPECT_EQ(reason.find(c.password), std::wstring::npos) << reason;
        EXPECT_TRUE(engine.LastFailure().atLogin);
        reasons.push_back(reason);
    }
    EXPECT_EQ(std::set<std::wstring>(reasons.begin(), reasons.end()).size(), reasons.size());
    EXPECT_TRUE(std::filesystem::is_empty(std::filesystem::path(local)));
}

TEST(FtpModesWin, ATransferTheServerFallsSilentInIsGivenUpAndStopIsHeardMeanwhile)
{
    const std::wstring local = ScratchFolder(L"stalled");
    testenv::WriteFile(local + L"\\up.bin", std::string(32 * 1024 * 1024, 'u'));
    const FtpLogin login = {ftptest::ServerOn(L"FTPT_STALL_PORT"), testenv::kUser, testenv::kPassword};
    // The server sends or takes 1 MiB and then nothing: a second of silence
    // ends the wait here (20 s in the program).
    WinInetFtp quick(1000);
    FtpEngine engine(quick);
    const FtpTransferResult down = engine.DownloadFile(local, login, L"", L"stalled.bin");
    EXPECT_EQ(down.status, FtpTransferStatus::kFailed);
    EXPECT_EQ(engine.LastFailure().kind, FtpFailureKind::kNoAnswer);
    const FtpTransferResult up = engine.UploadFile(local + L"\\up.bin", login, L"");
    EXPECT_EQ(up.status, FtpTransferStatus::kFailed);
    EXPECT_EQ(engine.LastFailure().kind, FtpFailureKind::kNoAnswer);
    EXPECT_TRUE(up.partialLeft);  // its connection went with the call given up

    // While the server is silent, the block call keeps being told, and a stop
    // it asks for ends the transfer long before the time limit.
    WinInetFtp patient;
    FtpEngine waiting(patient);
    int calls = 0;
    const FtpTransferResult stopped =
        waiting.DownloadFile(local, login, L"", L"stalled.bin", std::nullopt, true, [&](std::uint64_t) { return ++calls < 5; });
    EXPECT_EQ(stopped.status, FtpTransferStatus::kStopped);
    EXPECT_EQ(calls, 5);
    // No partial download is left behind.
    std::vector<std::wstring> names;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(local)))
        names.push_back(entry.path().filename().wstring());
    EXPECT_EQ(names, std::vector<std::wstring>{L"up.bin"});
}
