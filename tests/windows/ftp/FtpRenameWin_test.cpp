// A rename the test server refuses, through WinINet: the reason is the
// server's own reply. The FTP pane's tests rename on the server.
#include "ftp/FtpTestSupport.h"

#include <gtest/gtest.h>

using namespace testenv;
using ftptest::Engine;

TEST(FtpRenameWin, ARefusalTellsTheServersReply)
{
    const std::wstring folder = FreshFtpFolder(L"rename_win");
    WriteFile(FtpPath(folder + L"/a.txt"), "a");
    ftptest::Login reader;
    reader.user = kReader;
    std::wstring reason;
    EXPECT_EQ(Engine().RenameFtpEntry(reader, folder, L"a.txt", L"b.txt", reason), FtpRenameOutcome::kFailed);
    EXPECT_EQ(reason.substr(0, 4), L"550 ") << reason;
    EXPECT_EQ(ReadFile(FtpPath(folder + L"/a.txt")), "a");
}
