// Renaming on the test server through WinINet: one login that lists the
// folder and renames, and the server's own reply when it refuses.
#include "ftp/FtpTestSupport.h"

#include <gtest/gtest.h>

using namespace testenv;
using ftptest::Engine;

TEST(FtpRenameWin, OneLoginRenamesAndARefusalTellsTheServersReply)
{
    const std::wstring folder = FreshFtpFolder(L"rename_win");
    WriteFile(FtpPath(folder + L"/a.txt"), "a");
    ftptest::Login reader;
    reader.user = kReader;
    std::wstring reason;
    EXPECT_EQ(Engine().RenameFtpEntry(reader, folder, L"a.txt", L"b.txt", reason), FtpRenameOutcome::kFailed);
    EXPECT_EQ(reason.substr(0, 4), L"550 ") << reason;
    EXPECT_EQ(ReadFile(FtpPath(folder + L"/a.txt")), "a");

    const ftptest::ServerLog log;
    EXPECT_EQ(Engine().RenameFtpEntry(ftptest::Login(), folder, L"a.txt", L"b.txt", reason),
              FtpRenameOutcome::kRenamed);
    EXPECT_EQ(ReadFile(FtpPath(folder + L"/b.txt")), "a");
    EXPECT_FALSE(Exists(FtpPath(folder + L"/a.txt")));
    for (const char* verb : {"USER", "LIST", "RNFR", "RNTO"})
        EXPECT_EQ(log.Count(verb), 1) << verb;
}
