// The local list as a folder fills it: row order and images, size texts, the
// path box marker, hidden entries, unreadable folders and drive roots.
#include "localpane/LocalPaneFixture.h"

using namespace testenv;

namespace {

// The folder's entries as a bare enumeration returns them, folders and files apart.
void Enumerate(const std::wstring& folder, std::vector<std::wstring>& folders, std::vector<std::wstring>& files)
{
    WIN32_FIND_DATAW data;
    const HANDLE find = ::FindFirstFileW((folder + L"\\*").c_str(), &data);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    do {
        const std::wstring name = data.cFileName;
        if (name != L"." && name != L"..")
            ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? folders : files).push_back(name);
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
}

// A file of the size without writing its bytes (sparse where the disk allows).
void MakeFileOfSize(const std::wstring& path, std::uint64_t size)
{
    const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    LARGE_INTEGER end;
    end.QuadPart = static_cast<LONGLONG>(size);
    ::SetFilePointerEx(file, end, nullptr, FILE_BEGIN);
    ::SetEndOfFile(file);
    ::CloseHandle(file);
}

}  // namespace

TEST_F(LocalPaneTest, FoldersComeBeforeFilesEachInEnumerationOrder)
{
    const std::wstring folder = ScratchFolder(L"localpane-order");
    for (const wchar_t* name : {L"z.txt", L"b", L"y.txt", L"a", L"m.dat", L"k"}) {
        if (std::wstring(name).find(L'.') == std::wstring::npos)
            MakeFolders(folder + L"\\" + name);
        else
            WriteFile(folder + L"\\" + name, "x");
    }
    std::vector<std::wstring> folders, files;
    Enumerate(folder, folders, files);
    ASSERT_EQ(folders.size(), 3u);
    ASSERT_EQ(files.size(), 3u);

    Open(folder);
    ASSERT_EQ(List().Count(), 7);
    std::vector<std::wstring> expected = {L"[...]"};
    expected.insert(expected.end(), folders.begin(), folders.end());
    expected.insert(expected.end(), files.begin(), files.end());
    EXPECT_EQ(RowNames(), expected);
    EXPECT_EQ(List().CellText(0, 2), L"");  // the parent row has no time

    const ListView list = List();
    for (int row = 0; row < list.Count(); ++row) {
        const int image = row == 0 ? 2 : row <= 3 ? 1 : 0;
        EXPECT_EQ(list.Image(row), image) << row;
        if (image != 0) {
            EXPECT_EQ(list.CellText(row, 1), L"") << row;
        }
    }
    EXPECT_EQ(Text(IDC_LOCAL_PATH), folder + L"\\...");
}

TEST_F(LocalPaneTest, SizeTextsUseTheTranslatedUnits)
{
    const std::wstring folder = ScratchFolder(L"localpane-sizes");
    struct Case { const wchar_t* name; std::uint64_t size; const wchar_t* number; int unit; };
    const Case cases[] = {
        {L"empty.bin", 0, L"0 ", 30},
        {L"bytes.bin", 1023, L"1023 ", 30},
        {L"kilo.bin", 1536, L"1.50 ", 35},
        {L"nearly-mega.bin", 1048575, L"1024.00 ", 35},
        {L"mega.bin", 123456789, L"117.74 ", 40},
        {L"above-4g.bin", 5ull << 30, L"5.00 ", 45},  // needs the high 32 bits of the size
    };
    for (const Case& c : cases)
        MakeFileOfSize(folder + L"\\" + c.name, c.size);
    Open(folder);
    ASSERT_EQ(List().Count(), 1 + static_cast<int>(std::size(cases)));
    for (const Case& c : cases) {
        const int row = RowOf(c.name);
        ASSERT_GT(row, 0) << c.name;
        EXPECT_EQ(List().Image(row), 0) << c.name;
        EXPECT_EQ(List().CellText(row, 1), c.number + Translated(c.unit)) << c.name;
    }
}

TEST_F(LocalPaneTest, HiddenAndSystemEntriesAreListed)
{
    const std::wstring folder = ScratchFolder(L"localpane-hidden");
    WriteFile(folder + L"\\secret.txt", "abc");
    WriteFile(folder + L"\\.dotfile", "abc");
    MakeFolders(folder + L"\\veiled");
    ::SetFileAttributesW((folder + L"\\secret.txt").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    ::SetFileAttributesW((folder + L"\\veiled").c_str(), FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN);
    Open(folder);
    EXPECT_EQ(List().Count(), 4);
    EXPECT_EQ(List().Image(RowOf(L"veiled")), 1);
    EXPECT_EQ(List().CellText(RowOf(L"secret.txt"), 1), L"3 " + Translated(TextId::kBytes));
    EXPECT_EQ(List().Image(RowOf(L".dotfile")), 0);
}

TEST_F(LocalPaneTest, EmptyOrUnreadableFolderShowsOnlyTheParentRow)
{
    const std::wstring empty = ScratchFolder(L"localpane-empty");
    const std::wstring cases[] = {empty, empty + L"\\missing", L"Q:\\no such drive"};
    Open(empty);
    for (const std::wstring& folder : cases) {
        window->FillLocalList(folder);
        EXPECT_EQ(RowNames(), std::vector<std::wstring>{L"[...]"}) << folder;
        EXPECT_EQ(List().Image(0), 2) << folder;
        EXPECT_EQ(Text(IDC_LOCAL_PATH), folder + L"\\...") << folder;
    }
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(LocalPaneTest, DriveHeldWithoutBackslashListsItsRoot)
{
    Open(L"---");
    window->FillLocalList(L"C:");
    EXPECT_EQ(Text(IDC_LOCAL_PATH), L"C:\\...");
    const int windows = RowOf(L"windows");
    ASSERT_GT(windows, 0);
    EXPECT_EQ(List().Image(windows), 1);
}
