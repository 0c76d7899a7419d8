#include "common/TestEnvironment.h"
#include "settings/PowerClass.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

std::vector<std::wstring> Sorted(std::vector<std::wstring> names)
{
    std::sort(names.begin(), names.end());
    return names;
}

// root: top.txt, .hidden (hidden), sub{b.txt, deeper{c.txt}}, other{d.txt}, empty{}
std::wstring MakeTree(const std::wstring& name)
{
    const std::wstring root = testenv::ScratchFolder(name);
    testenv::MakeFolders(root + L"\\sub\\deeper");
    testenv::MakeFolders(root + L"\\other");
    testenv::MakeFolders(root + L"\\empty");
    for (const wchar_t* file : {L"top.txt", L".hidden", L"sub\\b.txt", L"sub\\deeper\\c.txt", L"other\\d.txt"})
        testenv::WriteFile(root + L"\\" + file, "x");
    ::SetFileAttributesW((root + L"\\.hidden").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    ::SetFileAttributesW((root + L"\\other").c_str(), FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN);
    return root;
}

}  // namespace

TEST(LocalFolderWin, ListFolderSplitsFoldersAndFilesHiddenIncluded)
{
    const std::wstring root = MakeTree(L"list-folder");
    PowerClass power;
    EXPECT_EQ(power.ListFolder(root), 5);
    EXPECT_EQ(Sorted(power.FolderNames()), (std::vector<std::wstring>{L"empty", L"other", L"sub"}));
    EXPECT_EQ(Sorted(power.FileNames()), (std::vector<std::wstring>{L".hidden", L"top.txt"}));

    EXPECT_EQ(power.ListFolder(root + L"\\empty"), 0);
    EXPECT_TRUE(power.FolderNames().empty());
    EXPECT_TRUE(power.FileNames().empty());

    power.ListFolder(root);
    EXPECT_EQ(power.ListFolder(root + L"\\missing"), 0);
    EXPECT_TRUE(power.FolderNames().empty()) << "a failed listing leaves nothing of the last one";
    EXPECT_TRUE(power.FileNames().empty());
}

TEST(LocalFolderWin, DriveGivenWithoutBackslashListsItsRoot)
{
    PowerClass power;
    EXPECT_GT(power.ListFolder(L"Z:"), 0);
    const std::vector<std::wstring>& folders = power.FolderNames();
    EXPECT_NE(std::find(folders.begin(), folders.end(), L"tmp"), folders.end());
}

TEST(LocalFolderWin, CollectFilesRecursiveGivesFullPathsDepthFirst)
{
    const std::wstring root = MakeTree(L"collect-files");
    PowerClass power;
    power.ListFolder(root);
    power.CollectFilesRecursive(root);
    const std::vector<std::wstring>& files = power.FileNames();
    EXPECT_EQ(Sorted(files), Sorted({root + L"\\top.txt", root + L"\\.hidden", root + L"\\sub\\b.txt",
                                     root + L"\\sub\\deeper\\c.txt", root + L"\\other\\d.txt"}));
    // Depth first: everything below "sub" stands together, where "sub" was met.
    const auto first = std::find_if(files.begin(), files.end(),
                                    [&](const std::wstring& f) { return f.rfind(root + L"\\sub\\", 0) == 0; });
    ASSERT_NE(first, files.end());
    ASSERT_LE(first + 2, files.end());
    EXPECT_EQ((first + 1)->rfind(root + L"\\sub\\", 0), 0u);

    power.CollectFilesRecursive(root + L"\\empty");
    EXPECT_TRUE(power.FileNames().empty()) << "the list is emptied first";
    power.CollectFilesRecursive(root + L"\\missing");
    EXPECT_TRUE(power.FileNames().empty());
}

TEST(LocalFolderWin, PathExistsAndProgramFolder)
{
    const std::wstring root = MakeTree(L"path-exists");
    // A folder whose full path is 260 characters or more, made through the
    // long-path prefix that lifts MAX_PATH.
    std::wstring longPath = root;
    while (longPath.size() < MAX_PATH + 10) {
        longPath += L"\\" + std::wstring(40, L'n');
        ::CreateDirectoryW((L"\\\\?\\" + longPath).c_str(), nullptr);
    }
    ASSERT_NE(::GetFileAttributesW((L"\\\\?\\" + longPath).c_str()), INVALID_FILE_ATTRIBUTES);

    struct Case { std::wstring path; bool exists; };
    const Case cases[] = {
        {root + L"\\top.txt", true},
        {root + L"\\sub", true},
        {root + L"\\.hidden", true},
        {root + L"\\missing", false},
        {L"", false},
        {longPath, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PowerClass::PathExists(c.path), c.exists) << c.path.size();
    EXPECT_EQ(PowerClass::ProgramFolder(), testenv::ExeFolder());
}

TEST(LocalFolderWin, CopyIntoFolderCopiesAnExistingFileOnly)
{
    const std::wstring root = testenv::ScratchFolder(L"copy-into");
    testenv::MakeFolders(root + L"\\target");
    testenv::WriteFile(root + L"\\source.ini", "K\r\nv\r\n");
    PowerClass::CopyIntoFolder(root + L"\\source.ini", root + L"\\target");
    EXPECT_EQ(testenv::ReadFile(root + L"\\target\\source.ini"), "K\r\nv\r\n");
    EXPECT_EQ(testenv::ReadFile(root + L"\\source.ini"), "K\r\nv\r\n");

    PowerClass::CopyIntoFolder(root + L"\\missing.ini", root + L"\\target");
    EXPECT_FALSE(testenv::Exists(root + L"\\target\\missing.ini"));
}
