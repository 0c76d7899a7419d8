// Nothing lost on either side, against real servers: an upload replaces a
// file through a part of its own on pyftpdlib and on vsftpd and leaves no
// part behind; a listing broken off with 426 and an upload the server never
// confirmed are failures, not an empty folder and not a stored file; local
// files that change meanwhile, names WinINet would alter and paths too long
// for the download's temporary file are refused with their reasons.
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

TEST(FtpSafeUploadWin, LocalFilesChangedMeanwhileAndOverlongPathsLoseNothing)
{
    const std::wstring folder = FreshFtpFolder(L"safe-local");
    WriteFile(FtpPath(folder + L"/f.txt"), "server copy");
    const ftptest::Login login;

    // A file another program writes to stays unread, and the server's copy stays.
    const std::wstring local = ScratchFolder(L"safe-local");
    WriteFile(local + L"\\f.txt", "being written");
    const HANDLE writer = ::CreateFileW((local + L"\\f.txt").c_str(), GENERIC_WRITE,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(Engine().UploadFile(local + L"\\f.txt", login, folder));
    ::CloseHandle(writer);
    EXPECT_EQ(Engine().LastFailure().error, static_cast<std::uint32_t>(ERROR_SHARING_VIOLATION));
    EXPECT_EQ(ReadFile(FtpPath(folder + L"/f.txt")), "server copy");
    EXPECT_EQ(Names(FtpPath(folder)), std::vector<std::wstring>{L"f.txt"});  // no part

    // A file created under the name while it was downloaded is kept.
    WriteFile(FtpPath(folder + L"/big.bin"), std::string(3 << 20, 'b'));
    const std::wstring into = ScratchFolder(L"safe-appear");
    const FtpBlockCallback appear = [&](std::uint64_t) {
        if (ReadFile(into + L"\\big.bin").empty())
            WriteFile(into + L"\\big.bin", "mine");
        return true;
    };
    EXPECT_FALSE(Engine().DownloadFile(into, login, folder, L"big.bin", {}, false, appear));
    EXPECT_EQ(Engine().LastFailure().kind, FtpFailureKind::kTargetAppeared);
    EXPECT_EQ(ReadFile(into + L"\\big.bin"), "mine");
    EXPECT_EQ(Names(into), std::vector<std::wstring>{L"big.bin"});

    // A folder of 248 characters, the most CreateDirectory makes, leaves no
    // room for the temporary file beside the target.
    std::wstring deep = ScratchFolder(L"safe-long");
    while (deep.size() < 200)
        deep += L"\\" + std::wstring(30, L'd');
    deep += L"\\" + std::wstring(248 - deep.size() - 1, L'e');
    MakeFolders(deep);
    ASSERT_NE(::GetFileAttributesW(deep.c_str()), INVALID_FILE_ATTRIBUTES) << deep.size();
    EXPECT_FALSE(Engine().DownloadFile(deep, login, folder, L"f.txt"));
    EXPECT_EQ(Engine().LastFailure().error, static_cast<std::uint32_t>(ERROR_FILENAME_EXCED_RANGE));
    EXPECT_TRUE(Names(deep).empty());
}

TEST(FtpSafeUploadWin, OnlyNamesTheAnsiCodePageHoldsCanBeSent)
{
    // Wine's code page here is 1252, as on a Western Windows.
    struct Case { const wchar_t* name; bool sent; };
    const Case cases[] = {
        {L"plain.txt", true}, {L"caf\x00e9.txt", true}, {L"", true},
        {L"\x0444\x0430\x0439\x043b.txt", false},  // Cyrillic: "????.txt"
        {L"\x0101.txt", false},                     // best fit would make it "a.txt"
    };
    const WinInetFtp ftp;
    for (const Case& c : cases)
        EXPECT_EQ(ftp.CanSendName(c.name), c.sent) << c.name;
}
