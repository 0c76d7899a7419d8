// Nothing lost on either side, against real servers: an upload replaces a
// file through a part of its own on pyftpdlib and on vsftpd and leaves no
// part behind; a listing broken off with 426 and an upload the server never
// confirmed are failures, not an empty folder and not a stored file; a local
// file that appears during a download and an overlong folder keep their own.
#include "common/TestEnvironment.h"
#include "ftp/FtpTestSupport.h"
#include "ftp/WinInetFtp.h"

#include <gtest/gtest.h>

#include <windows.h>

using namespace testenv;
using ftptest::Engine;

namespace {

// The names in the folder, "." and ".." left out.
std::vector<std::wstring> Names(const std::wstring& folder)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    const HANDLE find = ::FindFirstFileW((folder + L"\\*").c_str(), &data);
    for (BOOL more = find != INVALID_HANDLE_VALUE; more; more = ::FindNextFileW(find, &data))
        if (std::wstring(data.cFileName) != L"." && std::wstring(data.cFileName) != L"..")
            names.push_back(data.cFileName);
    if (find != INVALID_HANDLE_VALUE)
        ::FindClose(find);
    return names;
}

}  // namespace

TEST(FtpSafeUploadWin, AReplacedFileArrivesThroughAPartOnBothServers)
{
    const std::wstring local = ScratchFolder(L"safe-up") + L"\\same.txt";
    WriteFile(local, "new content");
    // vsftpd writes only into its user's home, which this process does not own.
    struct Server { std::wstring name; std::wstring user; std::wstring folder; std::wstring target; };
    for (const Server& server :
         {Server{ServerName(), kUser, FreshFtpFolder(L"safe-up"), L""},
          Server{ftptest::ServerOn(L"FTPT_VSFTPD_PASSIVE_PORT"), L"ftpttest", L"", ftptest::VsftpdHome()}}) {
        const std::wstring target = server.folder.empty() ? server.target : FtpPath(server.folder);
        WriteFile(target + L"\\same.txt", "the old one, longer");
        EXPECT_TRUE(Engine().UploadFile(local, {server.name, server.user, kPassword}, server.folder))
            << server.name << L" " << Engine().LastFailure().text;
        EXPECT_EQ(ReadFile(target + L"\\same.txt"), "new content") << server.name;
        for (const std::wstring& name : Names(target))
            EXPECT_EQ(name.find(L".part-"), std::wstring::npos) << name;
    }
}

TEST(FtpSafeUploadWin, AnUnconfirmedUploadAndABrokenOffListingFail)
{
    const ftptest::Login login{ftptest::ServerOn(L"FTPT_BROKEN_PORT")};
    const std::wstring local = ScratchFolder(L"safe-unconfirmed") + L"\\sent.txt";
    WriteFile(local, "sent");
    EXPECT_FALSE(Engine().UploadFile(local, login, L""));
    EXPECT_EQ(Engine().LastFailure().kind, FtpFailureKind::kNoAnswer) << Engine().LastFailure().text;

    // The listing is tried in active mode too, which this server does not
    // offer: the reason stays the passive listing's.
    FtpListing listing;
    EXPECT_FALSE(Engine().ListFtpFolder(listing, login, L""));
    EXPECT_EQ(Engine().LastFailure().text, L"426 Connection closed; transfer aborted.");
}

TEST(FtpSafeUploadWin, WhatIsHereStaysAndNamesWinInetWouldAlterAreKnown)
{
    const std::wstring folder = FreshFtpFolder(L"safe-local");
    WriteFile(FtpPath(folder + L"/big.bin"), std::string(3 << 20, 'b'));
    const std::wstring into = ScratchFolder(L"safe-appear");
    const FtpBlockCallback appear = [&](std::uint64_t) {
        return ReadFile(into + L"\\big.bin").empty() ? (WriteFile(into + L"\\big.bin", "mine"), true) : true;
    };
    EXPECT_FALSE(Engine().DownloadFile(into, ftptest::Login(), folder, L"big.bin", {}, false, appear));
    EXPECT_EQ(Engine().LastFailure().kind, FtpFailureKind::kTargetAppeared);
    EXPECT_EQ(ReadFile(into + L"\\big.bin"), "mine");
    EXPECT_EQ(Names(into), std::vector<std::wstring>{L"big.bin"});
    // 248 characters, the most CreateDirectory makes: no room for "\ftpXXXX.tmp".
    const std::wstring deep = into + L"\\" + std::wstring(248 - into.size() - 1, L'd');
    MakeFolders(deep);
    EXPECT_FALSE(Engine().DownloadFile(deep, ftptest::Login(), folder, L"big.bin"));
    EXPECT_EQ(Engine().LastFailure().error, static_cast<std::uint32_t>(ERROR_FILENAME_EXCED_RANGE));
    EXPECT_TRUE(Names(deep).empty());
    // Code page 1252 here, as on a Western Windows.
    EXPECT_TRUE(WinInetFtp().CanSendName(L"caf\x00e9.txt"));
    EXPECT_FALSE(WinInetFtp().CanSendName(L"\x0444\x0430\x0439\x043b.txt"));  // "????.txt"
    EXPECT_FALSE(WinInetFtp().CanSendName(L"\x0101.txt"));  // best fit would make it "a.txt"
}
