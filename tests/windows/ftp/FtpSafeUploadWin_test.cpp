// What the server's word decides, against real servers: an upload replaces a
// file through a part of its own on pyftpdlib and on vsftpd and leaves no
// part behind; a listing broken off with 426 and an upload the server never
// confirmed are failures, not an empty folder and not a stored file.
#include "common/TestEnvironment.h"
#include "ftp/FtpTestSupport.h"

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
