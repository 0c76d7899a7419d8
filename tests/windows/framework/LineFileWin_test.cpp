#include "common/TestEnvironment.h"
#include "framework/ComApartment.h"
#include "framework/FileError.h"
#include "framework/LineFile.h"
#include "framework/SystemErrorText.h"
#include "framework/SystemMessage.h"

#include <gtest/gtest.h>

TEST(LineFileWin, MissingFileIsAFileErrorNamingThePath)
{
    try {
        LineFile::Read(L"C:\\no-such-folder\\config.ini");
        FAIL() << "no FileError";
    } catch (const FileError& error) {
        EXPECT_EQ(error.Message(), L"C:\\no-such-folder\\config.ini was not found.");
    }
}

TEST(LineFileWin, AFileThatIsThereButCannotBeOpenedGivesTheSystemsReason)
{
    const std::wstring path = testenv::ScratchFolder(L"locked-settings") + L"\\config.ini";
    testenv::WriteFile(path, "Language\r\n[1033]\r\n");
    const HANDLE lock = ::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    try {
        LineFile::Read(path);
        ADD_FAILURE() << "no FileError";
    } catch (const FileError& error) {
        const std::wstring text = DescribeFileError(error);
        EXPECT_EQ(text.find(L"was not found"), std::wstring::npos);
        EXPECT_EQ(text.rfind(path + L" could not be opened.\n\n", 0), 0u);
        EXPECT_EQ(text.substr(text.find(L"\n\n") + 2), SystemErrorText(ERROR_SHARING_VIOLATION));
        EXPECT_FALSE(SystemErrorText(ERROR_SHARING_VIOLATION).empty());
    }
    ::CloseHandle(lock);
    EXPECT_EQ(DescribeFileError(FileError(path + L".gone")), path + L".gone was not found.");
}

TEST(ComApartmentWin, TheUiThreadIsInASingleThreadedApartmentWhileItLives)
{
    {
        const ComApartment com;
        ASSERT_TRUE(com.IsInitialized());
        // Asking again for the same apartment succeeds without a new one.
        EXPECT_EQ(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_FALSE);
        ::CoUninitialize();
        EXPECT_EQ(::CoInitializeEx(nullptr, COINIT_MULTITHREADED), RPC_E_CHANGED_MODE);
    }
    EXPECT_EQ(::CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
    ::CoUninitialize();
}
