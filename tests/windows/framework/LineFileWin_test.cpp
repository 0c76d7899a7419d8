#include "framework/FileError.h"
#include "framework/LineFile.h"

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
