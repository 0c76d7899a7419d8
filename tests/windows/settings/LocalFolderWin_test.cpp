#include "common/TestEnvironment.h"
#include "localpane/WinLocalFiles.h"
#include "settings/Registry.h"
#include "settings/SettingsFile.h"
#include "settings/UserSettingsCopy.h"

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
    WinLocalFiles files;
    const LocalListing listing = files.ListFolder(root);
    EXPECT_EQ(Sorted(listing.folderNames), (std::vector<std::wstring>{L"empty", L"other", L"sub"}));
    EXPECT_EQ(Sorted(listing.fileNames), (std::vector<std::wstring>{L".hidden", L"top.txt"}));
    EXPECT_EQ(listing.fileSizes.size(), 2u);

    for (const wchar_t* folder : {L"\\empty", L"\\missing"}) {
        const LocalListing nothing = files.ListFolder(root + folder);
        EXPECT_TRUE(nothing.folderNames.empty() && nothing.fileNames.empty()) << folder;
    }
}

TEST(LocalFolderWin, DriveGivenWithoutBackslashListsItsRoot)
{
    const std::vector<std::wstring> folders = WinLocalFiles().ListFolder(L"Z:").folderNames;
    EXPECT_NE(std::find(folders.begin(), folders.end(), L"tmp"), folders.end());
}

TEST(LocalFolderWin, CollectFilesRecursiveGivesFullPathsDepthFirst)
{
    const std::wstring root = MakeTree(L"collect-files");
    WinLocalFiles local;
    std::vector<std::wstring> links;
    const std::vector<std::wstring> files = local.CollectFilesRecursive(root, links);
    EXPECT_EQ(Sorted(files), Sorted({root + L"\\top.txt", root + L"\\.hidden", root + L"\\sub\\b.txt",
                                     root + L"\\sub\\deeper\\c.txt", root + L"\\other\\d.txt"}));
    // Depth first: everything below "sub" stands together, where "sub" was met.
    const auto first = std::find_if(files.begin(), files.end(),
                                    [&](const std::wstring& f) { return f.rfind(root + L"\\sub\\", 0) == 0; });
    ASSERT_NE(first, files.end());
    ASSERT_LE(first + 2, files.end());
    EXPECT_EQ((first + 1)->rfind(root + L"\\sub\\", 0), 0u);

    EXPECT_TRUE(local.CollectFilesRecursive(root + L"\\empty", links).empty());
    EXPECT_TRUE(local.CollectFilesRecursive(root + L"\\missing", links).empty());
}

TEST(LocalFolderWin, CollectingFilesNamesALinkBackToAFolderAboveAndDoesNotFollowIt)
{
    const std::wstring root = testenv::ScratchFolder(L"collect-loop");
    testenv::MakeFolders(root + L"\\a");
    testenv::WriteFile(root + L"\\a\\f.txt", "x");
    ASSERT_TRUE(::CreateSymbolicLinkW((root + L"\\a\\up").c_str(), root.c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY))
        << ::GetLastError();
    if (::GetFileAttributesW((root + L"\\a\\up").c_str()) == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "Wine 8 answers TRUE and makes no link (nor junctions)";
    std::vector<std::wstring> links;
    EXPECT_EQ(WinLocalFiles().CollectFilesRecursive(root, links), std::vector<std::wstring>{root + L"\\a\\f.txt"});
    EXPECT_EQ(links, std::vector<std::wstring>{root + L"\\a\\up"});
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
        EXPECT_EQ(PathExists(c.path), c.exists) << c.path.size();
    EXPECT_EQ(ProgramFolder(), testenv::ExeFolder());
}

TEST(LocalFolderWin, CopyIntoFolderCopiesAnExistingFileOnly)
{
    const std::wstring root = testenv::ScratchFolder(L"copy-into");
    testenv::MakeFolders(root + L"\\target");
    testenv::WriteFile(root + L"\\source.ini", "K\r\nv\r\n");
    CopyIntoFolder(root + L"\\source.ini", root + L"\\target");
    EXPECT_EQ(testenv::ReadFile(root + L"\\target\\source.ini"), "K\r\nv\r\n");
    EXPECT_EQ(testenv::ReadFile(root + L"\\source.ini"), "K\r\nv\r\n");

    CopyIntoFolder(root + L"\\missing.ini", root + L"\\target");
    EXPECT_FALSE(testenv::Exists(root + L"\\target\\missing.ini"));
}
