#include "common/TestEnvironment.h"
#include "settings/WinSafeWriteSteps.h"

#include <gtest/gtest.h>

namespace {

enum class Failure { None, CreateTemporary, HalfWritten, Replace };

// The real steps with one failure injected: the temporary file cannot be
// created, stops half written (a full disk), or cannot take the target's place.
class FailingSteps : public WinSafeWriteSteps {
public:
    explicit FailingSteps(Failure failure) : m_failure(failure) {}

    bool WriteFlushed(const std::wstring& path, const std::string& bytes) override
    {
        if (m_failure == Failure::CreateTemporary)
            return false;
        if (m_failure == Failure::HalfWritten) {
            WinSafeWriteSteps::WriteFlushed(path, bytes.substr(0, bytes.size() / 2));
            return false;
        }
        return WinSafeWriteSteps::WriteFlushed(path, bytes);
    }

    bool Replace(const std::wstring& source, const std::wstring& target) override
    {
        return m_failure != Failure::Replace && WinSafeWriteSteps::Replace(source, target);
    }

private:
    Failure m_failure;
};

}  // namespace

TEST(SafeWriteWin, AnyFailedStepLeavesTheOldFileByteForByte)
{
    const std::wstring folder = testenv::ScratchFolder(L"safe-write");
    const std::wstring target = folder + L"\\config.ini";
    const std::string old = "FTP Data\nftp://old*u*f\nno final line end";
    struct Case { const char* what; Failure failure; bool ok; std::string content; };
    const Case cases[] = {
        {"temporary file cannot be created", Failure::CreateTemporary, false, old},
        {"temporary file half written", Failure::HalfWritten, false, old},
        {"replace refused", Failure::Replace, false, old},
        {"every step works", Failure::None, true, "FTP Data\r\nftp://new*u*f\r\nno final line end\r\n"},
    };
    for (const Case& c : cases) {
        testenv::WriteFile(target, old);
        FailingSteps steps(c.failure);
        EXPECT_EQ(SafeRewrite(steps, target, {L"FTP Data", L"ftp://new*u*f", L"no final line end"}), c.ok) << c.what;
        EXPECT_EQ(testenv::ReadFile(target), c.content) << c.what;
        EXPECT_FALSE(testenv::Exists(TemporaryPathFor(target))) << c.what;
    }
}

TEST(SafeWriteWin, TargetHeldOpenWithoutDeleteSharingIsNotReplaced)
{
    const std::wstring target = testenv::ScratchFolder(L"safe-write-locked") + L"\\config.ini";
    testenv::WriteFile(target, "K\r\nold\r\n");
    const HANDLE held = ::CreateFileW(target.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    WinSafeWriteSteps steps;
    const bool ok = SafeRewrite(steps, target, {L"K", L"new"});
    ::CloseHandle(held);
    EXPECT_FALSE(ok);
    EXPECT_EQ(testenv::ReadFile(target), "K\r\nold\r\n");
    EXPECT_FALSE(testenv::Exists(TemporaryPathFor(target)));
}
