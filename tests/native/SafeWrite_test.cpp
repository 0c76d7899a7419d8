#include "settings/SafeWrite.h"

#include <gtest/gtest.h>

#include <map>

namespace {

// Files in memory, with one step that fails on request. A failing write
// leaves a partly written temporary file behind, as a full disk would.
class MemorySteps : public SafeWriteSteps {
public:
    enum class Failure { None, Write, Replace };

    bool WriteFlushed(const std::wstring& path, const std::string& bytes) override
    {
        calls.push_back(L"write " + path);
        if (failure == Failure::Write) {
            files[path] = bytes.substr(0, bytes.size() / 2);
            return false;
        }
        files[path] = bytes;
        return true;
    }

    bool Replace(const std::wstring& source, const std::wstring& target) override
    {
        calls.push_back(L"replace " + source + L" " + target);
        if (failure == Failure::Replace || files.count(source) == 0)
            return false;
        files[target] = files[source];
        files.erase(source);
        return true;
    }

    void Remove(const std::wstring& path) override
    {
        calls.push_back(L"remove " + path);
        files.erase(path);
    }

    Failure failure = Failure::None;
    std::map<std::wstring, std::string> files;
    std::vector<std::wstring> calls;
};

const std::wstring kTarget = L"C:\\s\\config.ini";

}  // namespace

TEST(SafeWrite, ReplacesTheTargetOnlyWhenEveryStepWorked)
{
    struct Case { const char* what; MemorySteps::Failure failure; bool ok; std::string target; };
    const Case cases[] = {
        {"all steps work", MemorySteps::Failure::None, true, "K\r\nnew\r\n"},
        {"write fails", MemorySteps::Failure::Write, false, "K\nold"},
        {"replace fails", MemorySteps::Failure::Replace, false, "K\nold"},
    };
    for (const Case& c : cases) {
        MemorySteps steps;
        steps.failure = c.failure;
        steps.files[kTarget] = "K\nold";
        EXPECT_EQ(SafeRewrite(steps, kTarget, {L"K", L"new"}), c.ok) << c.what;
        EXPECT_EQ(steps.files[kTarget], c.target) << c.what;
        EXPECT_EQ(steps.files.count(TemporaryPathFor(kTarget)), 0u) << c.what << ": temporary file left";
        EXPECT_EQ(steps.calls.front(), L"write " + TemporaryPathFor(kTarget)) << c.what;
    }
}

TEST(SafeWrite, CharacterAbove255TouchesNothing)
{
    MemorySteps steps;
    steps.files[kTarget] = "K\nold";
    EXPECT_FALSE(SafeRewrite(steps, kTarget, {L"K", L"\u20ac"}));
    EXPECT_TRUE(steps.calls.empty());
    EXPECT_EQ(steps.files[kTarget], "K\nold");
}

TEST(SafeWrite, TemporaryFileLiesBesideTheTarget)
{
    const std::wstring temporary = TemporaryPathFor(kTarget);
    EXPECT_EQ(temporary.substr(0, kTarget.size()), kTarget);
    EXPECT_NE(temporary, kTarget);
    EXPECT_EQ(temporary.find(L'\\', kTarget.size()), std::wstring::npos);
}
