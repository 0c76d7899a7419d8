#include "FakeFtp.h"

#include "ftppane/ConnectionCheck.h"

#include <gtest/gtest.h>

namespace {

using Log = std::vector<std::wstring>;

struct Told {
    TextId text;
    std::wstring value;
    std::wstring reason;
};

TEST(ConnectionCheckTest, TouchesOnlyItsOwnFileAndCreatesNoFolder)
{
    struct Case {
        const wchar_t* folder;
        const wchar_t* password;
        std::vector<Told> told;
        Log writes;  // what changed on the server, in order
    };
    const Case cases[] = {
        // The user's config.ini and an earlier test file stay; the second draw is free.
        {L"site", L"secret",
         {{TextId::kCheckUploaded, L"", L""}, {TextId::kCheckSucceeded, L"", L""}},
         {L"STOR C:\\p\\config.ini > /site/.velmo-check-b.tmp", L"DELE /site/.velmo-check-b.tmp"}},
        {L"missing/deeper", L"secret",
         {{TextId::kCheckFolderNotOpened, L"missing/deeper", L"550 Failed to change directory."}},
         {}},
        {L"site", L"wrong", {{TextId::kCheckLoginFailed, L"", L"530 Login incorrect."}}, {}},
    };
    for (const Case& c : cases) {
        FakeFtp ftp;
        ftp.AddFile(L"/site/config.ini", 77);
        ftp.AddFile(L"/site/.velmo-check-a.tmp", 5);
        FtpEngine engine(ftp);
        ServerProfile profile;
        profile.login = {L"ftp://host", L"u", c.password};
        profile.folder = c.folder;
        std::vector<std::wstring> draws = {L"a", L"b"};
        const auto told = RunConnectionCheck(engine, profile, L"C:\\p\\config.ini", L"C:\\t\\vck1.tmp", [&draws] {
            const std::wstring next = draws.front();
            draws.erase(draws.begin());
            return next;
        });
        ASSERT_EQ(told.size(), c.told.size()) << c.folder;
        for (std::size_t i = 0; i < told.size(); ++i) {
            EXPECT_EQ(told[i].text, c.told[i].text) << c.folder;
            EXPECT_EQ(told[i].values.empty() ? L"" : told[i].values[0], c.told[i].value);
            EXPECT_EQ(told[i].reason.text, c.told[i].reason);
        }
        Log writes;
        for (const std::wstring& line : ftp.log)
            if (line.rfind(L"STOR", 0) == 0 || line.rfind(L"DELE", 0) == 0 || line.rfind(L"MKD", 0) == 0)
                writes.push_back(line);
        EXPECT_EQ(writes, c.writes) << c.folder;
        EXPECT_TRUE(ftp.HasFile(L"/site/config.ini") && ftp.HasFile(L"/site/.velmo-check-a.tmp"));
        EXPECT_FALSE(ftp.HasFolder(L"/missing"));
        const bool fetched = std::find(ftp.log.begin(), ftp.log.end(),
                                       L"RETR /site/.velmo-check-b.tmp > C:\\t\\vck1.tmp") != ftp.log.end();
        EXPECT_EQ(fetched, !c.writes.empty());
    }
}

}  // namespace
