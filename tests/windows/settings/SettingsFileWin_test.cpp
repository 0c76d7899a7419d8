#include "common/TestEnvironment.h"
#include "framework/FileError.h"
#include "settings/FieldSplit.h"
#include "settings/Registry.h"
#include "settings/SettingsFile.h"
#include "settings/UserSettingsCopy.h"
#include "settings/SafeWrite.h"
#include "settings/SettingsTestSupport.h"

#include <gtest/gtest.h>

namespace {

// Bytes of a literal, NULs included.
template <size_t N>
std::string Raw(const char (&literal)[N])
{
    return std::string(literal, N - 1);
}

// A SettingsFile whose settings file is a user copy in a scratch AppData.
class SettingsFileTest : public ::testing::Test {
protected:
    SettingsFileTest()
        : m_appData(testenv::ScratchFolder(L"settings-file")), m_redirect(m_appData)
    {
        m_path = m_settings.ResolveSettingsPath();
    }

    void Content(const std::string& bytes) { testenv::WriteFile(m_path, bytes); }
    std::string Bytes() const { return testenv::ReadFile(m_path); }

    std::wstring m_appData;
    settingstest::AppDataRedirect m_redirect;
    SettingsFile m_settings;
    std::wstring m_path;
};

}  // namespace

TEST_F(SettingsFileTest, DamagedFilesReadAndWriteWithoutLoss)
{
    const std::string longLine(100000, 'L');
    struct Case {
        const char* what;
        std::string bytes;
        std::wstring key;
        std::wstring read;
        std::wstring value;
        std::string written;
    };
    const Case cases[] = {
        {"binary bytes", Raw("\x00\x01\xfe\r\nK\r\nv\x00w\r\n"), L"K", std::wstring(L"v\0w", 3), L"n",
         Raw("\x00\x01\xfe\r\nK\r\nn\r\n")},
        {"duplicated key", "K\r\na\r\nK\r\nb\r\n", L"K", L"b", L"n", "K\r\nn\r\nK\r\nn\r\n"},
        {"key without value line", "A\r\n1\r\nK", L"K", L"", L"n", "A\r\n1\r\nK\r\nn\r\n"},
        {"no final line end, LF", "K\nv", L"K", L"v", L"n", "K\r\nn\r\n"},
        {"long lines", "K\r\n" + longLine + "\r\n" + longLine, L"K", std::wstring(100000, L'L'), L"n",
         "K\r\nn\r\n" + longLine + "\r\n"},
        {"empty file", "", L"K", L"", L"n", ""},
    };
    for (const Case& c : cases) {
        Content(c.bytes);
        EXPECT_EQ(m_settings.ReadSetting(c.key), c.read) << c.what;
        EXPECT_TRUE(m_settings.WriteSetting(c.key, c.value)) << c.what;
        EXPECT_EQ(Bytes(), c.written) << c.what;
    }
}

TEST_F(SettingsFileTest, KeyTheFileLacksLeavesItUntouched)
{
    // An LF-only file would come back with CR LF had it been rewritten.
    Content("A\n1\nB\n2");
    EXPECT_TRUE(m_settings.WriteSetting(L"Language", L"[1031]"));
    EXPECT_EQ(Bytes(), "A\n1\nB\n2");
}

TEST_F(SettingsFileTest, ValueAbove255IsRefusedAndTheFileKeptByteForByte)
{
    Content("Powersetting 2000\nold\n");
    EXPECT_FALSE(m_settings.WriteSetting(L"Powersetting 2000", L"pass\u20ac"));
    EXPECT_EQ(Bytes(), "Powersetting 2000\nold\n");
    EXPECT_TRUE(m_settings.WriteSetting(L"Powersetting 2000", L"\u00e9\u00ff"));
    EXPECT_EQ(Bytes(), "Powersetting 2000\r\n\xe9\xff\r\n");
}

TEST_F(SettingsFileTest, ReadOnlyFileRefusesTheWriteAndStaysAsItWas)
{
    Content("K\nold\n");
    ASSERT_TRUE(::SetFileAttributesW(m_path.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(m_settings.WriteSetting(L"K", L"new"));
    ::SetFileAttributesW(m_path.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(Bytes(), "K\nold\n");
    EXPECT_FALSE(testenv::Exists(TemporaryPathFor(m_path)));
}

TEST_F(SettingsFileTest, LeftoverTemporaryFileIsIgnored)
{
    Content("K\r\nreal\r\n");
    testenv::WriteFile(TemporaryPathFor(m_path), "K\r\nleftover\r\n");
    EXPECT_EQ(m_settings.ReadSetting(L"K"), L"real");
    EXPECT_TRUE(m_settings.WriteSetting(L"K", L"new"));
    EXPECT_EQ(Bytes(), "K\r\nnew\r\n");
    EXPECT_FALSE(testenv::Exists(TemporaryPathFor(m_path)));
}

TEST_F(SettingsFileTest, MissingFileIsAFileErrorNamingIt)
{
    ::DeleteFileW(m_path.c_str());
    for (int write = 0; write < 2; ++write) {
        try {
            if (write)
                m_settings.WriteSetting(L"K", L"v");
            else
                m_settings.ReadSetting(L"K");
            ADD_FAILURE() << "no FileError";
        } catch (const FileError& error) {
            EXPECT_EQ(error.Path(), m_path);
        }
    }
    EXPECT_FALSE(testenv::Exists(m_path)) << "a failed write creates nothing";
}

TEST_F(SettingsFileTest, FieldsOfTheStoredProfile)
{
    Content("FTP Data\r\nftp://h*user*up/sub\r\n");
    EXPECT_EQ(SplitFields(m_settings.ReadSetting(L"FTP Data"), L'*'),
              (std::vector<std::wstring>{L"ftp://h", L"user", L"up/sub"}));
}
