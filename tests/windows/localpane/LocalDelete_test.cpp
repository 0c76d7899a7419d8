// Delete: the selected entries go to the recycle bin without a question; the
// parent row and entries already gone are passed over.
#include "localpane/WinLocalFiles.h"
#include "localpane/LocalPaneFixture.h"
#include "framework/SystemErrorText.h"
#include "i18n/LanguageFile.h"

using namespace testenv;

namespace {
void SelectRows(const ListView& list, const std::vector<int>& rows, int mark)
{
    for (int row : rows)
        list.Select(row, true);
    list.SetSelectionMark(mark);
}
}  // namespace

TEST_F(LocalPaneTest, DeleteRemovesEverySelectedEntryAndPassesOverTheParentRow)
{
    const std::wstring folder = ScratchFolder(L"localpane-delete");
    WriteFile(folder + L"\\one.txt", "1");
    WriteFile(folder + L"\\two.txt", "2");
    MakeFolders(folder + L"\\tree\\deeper");
    WriteFile(folder + L"\\tree\\deeper\\leaf.txt", "leaf");
    WriteFile(folder + L"\\stays.txt", "s");
    // A real file named like the parent row: deleting "folder\[...]" for the
    // selected parent row would take it.
    WriteFile(folder + L"\\[...]", "p");
    Open(folder);
    ASSERT_EQ(List().Count(), 6);

    SelectRows(List(), {0, RowOf(L"one.txt"), RowOf(L"tree"), RowOf(L"two.txt")}, RowOf(L"tree"));
    Click(IDC_LOCAL_DELETE);
    for (const wchar_t* gone : {L"one.txt", L"two.txt", L"tree"})
        EXPECT_FALSE(Exists(folder + L"\\" + gone)) << gone;
    EXPECT_TRUE(Exists(folder + L"\\stays.txt"));
    EXPECT_TRUE(Exists(folder + L"\\[...]"));
    EXPECT_EQ(List().Count(), 3);
    EXPECT_GT(RowOf(L"stays.txt"), 0);
    EXPECT_EQ(Text(IDC_LOCAL_PATH), folder + L"\\...");
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(ui.questions.empty()) << (ui.questions.empty() ? L"" : ui.questions[0].text);  // the recycle bin takes them
}

TEST_F(LocalPaneTest, AnEntryThatCannotBeDeletedIsNamedWithTheSystemsReason)
{
    const std::wstring folder = ScratchFolder(L"localpane-delete-held");
    WriteFile(folder + L"\\held.txt", "h");
    WriteFile(folder + L"\\free.txt", "f");
    Open(folder);
    const HANDLE held = ::CreateFileW((folder + L"\\held.txt").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
    SelectRows(List(), {RowOf(L"held.txt"), RowOf(L"free.txt")}, RowOf(L"held.txt"));
    Click(IDC_LOCAL_DELETE);
    ::CloseHandle(held);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, FillPlaceholder(Translated(TextId::kEntriesNotDeleted), L"1") + L"\nheld.txt\n" +
                                       SystemErrorText(ERROR_SHARING_VIOLATION));
}

TEST_F(LocalPaneTest, WhereTheRecycleBinIsSwitchedOffDeletingAsksFirst)
{
    const wchar_t* const policies = L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
    const DWORD on = 1;
    ::RegSetKeyValueW(HKEY_CURRENT_USER, policies, L"NoRecycleFiles", REG_DWORD, &on, sizeof on);
    const std::wstring folder = ScratchFolder(L"localpane-delete-nobin");
    WriteFile(folder + L"\\a.txt", "a");
    Open(folder);
    SelectRows(List(), {RowOf(L"a.txt")}, RowOf(L"a.txt"));
    ui.questionAnswer = IDNO;
    Click(IDC_LOCAL_DELETE);
    EXPECT_TRUE(Exists(folder + L"\\a.txt"));
    ui.questionAnswer = IDYES;
    Click(IDC_LOCAL_DELETE);
    ::RegDeleteKeyValueW(HKEY_CURRENT_USER, policies, L"NoRecycleFiles");
    EXPECT_FALSE(Exists(folder + L"\\a.txt"));
    EXPECT_EQ(ui.questions.size(), 2u);
}

TEST_F(LocalPaneTest, DeleteOfAnEntryAlreadyGoneRaisesNothing)
{
    const std::wstring folder = ScratchFolder(L"localpane-delete-gone");
    WriteFile(folder + L"\\vanished.txt", "v");
    WriteFile(folder + L"\\present.txt", "p");
    Open(folder);
    ::DeleteFileW((folder + L"\\vanished.txt").c_str());

    SelectRows(List(), {RowOf(L"vanished.txt"), RowOf(L"present.txt")}, RowOf(L"vanished.txt"));
    Click(IDC_LOCAL_DELETE);
    EXPECT_FALSE(Exists(folder + L"\\present.txt"));
    EXPECT_EQ(RowNames(), std::vector<std::wstring>{L"[...]"});
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(LocalPaneTest, DeleteWithoutSelectionMarkShowsMessage60)
{
    const std::wstring folder = ScratchFolder(L"localpane-delete-nomark");
    WriteFile(folder + L"\\kept.txt", "k");
    Open(folder);
    List().Select(RowOf(L"kept.txt"), true);  // selected, but no mark
    ASSERT_EQ(List().SelectionMark(), -1);
    Click(IDC_LOCAL_DELETE);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, Translated(TextId::kSelectToDelete));
    EXPECT_EQ(ui.messages[0].caption, Translated(TextId::kMessageCaption));
    EXPECT_EQ(ui.messages[0].type, static_cast<UINT>(MB_OK));
    EXPECT_TRUE(Exists(folder + L"\\kept.txt"));
}

TEST(DeleteToRecycleBin, DeletesOnlyTheNamedExistingEntry)
{
    const std::wstring folder = ScratchFolder(L"recycle");
    MakeFolders(folder + L"\\full\\inner");
    WriteFile(folder + L"\\full\\inner\\x.txt", "x");
    for (const wchar_t* name : {L"a.txt", L"b.txt", L"keep.txt"})
        WriteFile(folder + L"\\" + name, "x");

    const std::wstring paths[] = {
        folder + L"\\missing.txt",
        folder + L"\\*.txt",  // a pattern, not a name: nothing goes
        folder + L"\\?.txt",
        L"",
        folder + L"\\full",
        folder + L"\\a.txt",
        folder + L"\\b.txt",
    };
    WinLocalFiles files;
    std::wstring reason;
    for (const std::wstring& path : paths)
        EXPECT_TRUE(files.DeleteToRecycleBin(path, reason)) << path;
    EXPECT_FALSE(Exists(folder + L"\\full"));
    EXPECT_FALSE(Exists(folder + L"\\a.txt"));
    EXPECT_FALSE(Exists(folder + L"\\b.txt"));
    EXPECT_TRUE(Exists(folder + L"\\keep.txt"));
    EXPECT_TRUE(Exists(folder));
}
