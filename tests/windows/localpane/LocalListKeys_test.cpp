// The local list as a file manager's: the Modified column, header sorting
// that a refresh keeps, the keys, renaming in place and the context menu.
#include "common/ListActions.h"
#include "localpane/LocalPaneFixture.h"
#include "i18n/LanguageFile.h"
#include "panes/UserLocale.h"

using namespace testenv;

namespace {

// 2021-03-04 05:06 UTC plus the minutes, as FILETIME ticks.
std::uint64_t TimeIn2021(int minutes)
{
    return 132593079600000000ull + static_cast<std::uint64_t>(minutes) * 600000000ull;
}

class LocalListTest : public LocalPaneTest {
protected:
    // Folders b10 and a2, files of 3, 1000 and 20 bytes; each a minute apart.
    std::wstring MakeFolder(const wchar_t* name)
    {
        const std::wstring folder = ScratchFolder(name);
        const struct { const wchar_t* name; int bytes; int minute; } entries[] = {
            {L"b10", -1, 4}, {L"a2", -1, 5}, {L"x10.txt", 3, 2}, {L"x9.txt", 1000, 1}, {L"Y.txt", 20, 3}};
        for (const auto& entry : entries) {
            const std::wstring path = folder + L"\\" + entry.name;
            if (entry.bytes < 0)
                MakeFolders(path);
            else
                WriteFile(path, std::string(static_cast<size_t>(entry.bytes), 'x'));
            SetLastWriteTime(path, TimeIn2021(entry.minute));
        }
        return folder;
    }
};

}  // namespace

TEST_F(LocalListTest, ModifiedColumnAndHeaderSortingThatARefreshKeeps)
{
    const std::wstring folder = MakeFolder(L"locallist-sort");
    Open(folder);
    const ListView list = List();
    EXPECT_EQ(list.ColumnHeading(2), Translated(TextId::kModifiedColumn));
    const std::wstring shown = list.CellText(RowOf(L"x9.txt"), 2);
    EXPECT_EQ(shown, LocalTimeText(TimeIn2021(1)));
    EXPECT_NE(shown.find(L"2021"), std::wstring::npos) << shown;
    EXPECT_EQ(list.CellText(RowOf(L"a2"), 2), LocalTimeText(TimeIn2021(5)));

    struct Step { int column; int arrow; std::vector<std::wstring> rows; };
    const Step steps[] = {
        {0, 1, {L"[...]", L"a2", L"b10", L"x9.txt", L"x10.txt", L"Y.txt"}},
        {0, -1, {L"[...]", L"b10", L"a2", L"Y.txt", L"x10.txt", L"x9.txt"}},
        {1, 1, {L"[...]", L"a2", L"b10", L"x10.txt", L"Y.txt", L"x9.txt"}},
        {2, 1, {L"[...]", L"b10", L"a2", L"x9.txt", L"x10.txt", L"Y.txt"}},
    };
    for (const Step& step : steps) {
        ClickHeader(Hwnd(), list, step.column);
        EXPECT_EQ(RowNames(), step.rows) << step.column;
        EXPECT_EQ(SortArrow(list, step.column), step.arrow) << step.column;
        EXPECT_EQ(SortArrow(list, step.column == 0 ? 1 : 0), 0) << step.column;
    }
    WriteFile(folder + L"\\new.txt", "n");
    SetLastWriteTime(folder + L"\\new.txt", TimeIn2021(0));
    PressKey(list, VK_F5);
    EXPECT_EQ(RowNames(), (std::vector<std::wstring>{L"[...]", L"b10", L"a2", L"new.txt", L"x9.txt", L"x10.txt",
                                                     L"Y.txt"}));
}

TEST_F(LocalListTest, EnterBackspaceCtrlAAndDelete)
{
    const std::wstring folder = MakeFolder(L"locallist-keys");
    Open(folder);
    const ListView list = List();
    // Enter as the dialog manager passes it on: to the list, not as the default button.
    SelectOnlyRow(list, RowOf(L"a2"));
    MSG enter = {list.Handle(), WM_KEYDOWN, VK_RETURN, 0, 0, {}};
    EXPECT_TRUE(::IsDialogMessageW(Hwnd(), &enter));
    EXPECT_EQ(Text(IDC_LOCAL_PATH), folder + L"\\a2\\...");
    EXPECT_FALSE(window->HasEnded());
    PressKey(list, VK_BACK);
    EXPECT_EQ(Text(IDC_LOCAL_PATH), folder + L"\\...");

    SelectOnlyRow(list, -1);
    PressKey(list, 'A', true);
    EXPECT_EQ(list.SelectedRows(), (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_NE(list.SelectionMark(), -1);
    PressKey(list, VK_DELETE);
    EXPECT_EQ(RowNames(), std::vector<std::wstring>{L"[...]"});
    EXPECT_FALSE(Exists(folder + L"\\x9.txt"));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(LocalListTest, RenameInPlaceRefusesWhatWouldHarmAndAppliesTheRest)
{
    const std::wstring folder = MakeFolder(L"locallist-rename");
    Open(folder);
    const ListView list = List();
    EXPECT_FALSE(RenameInPlace(list, 0, L"up", ui));  // the parent row has no name to change

    // Wine's list reports an emptied name as a cancelled edit: it is refused all the same.
    for (const auto& [typed, refusal] :
         {std::pair{L"", TextId::kNameEmpty}, {L"Y.txt", TextId::kNameTaken}, {L"CON", TextId::kNameNotLocal}})
        EXPECT_EQ(RenameInPlace(list, RowOf(L"x9.txt"), typed, ui),
                  std::vector<std::wstring>{FillPlaceholder(Translated(refusal), typed)});
    // The refused name comes back in the reopened edit, to be corrected; Esc leaves it.
    MSG message;
    while (::PeekMessageW(&message, list.Handle(), 0, 0, PM_REMOVE))
        ::DispatchMessageW(&message);
    ASSERT_NE(list.EditControl(), nullptr);
    EXPECT_EQ(Control(list.EditControl()).Text(), L"CON");
    ui.messages.clear();
    ::SendMessageW(list.EditControl(), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(ReadFile(folder + L"\\Y.txt"), std::string(20, 'x'));
    EXPECT_GT(RowOf(L"x9.txt"), 0);

    EXPECT_EQ(RenameInPlace(list, RowOf(L"x9.txt"), L"renamed.txt", ui), std::vector<std::wstring>{});
    EXPECT_EQ(ReadFile(folder + L"\\renamed.txt"), std::string(1000, 'x'));
    EXPECT_FALSE(Exists(folder + L"\\x9.txt"));
    EXPECT_EQ(list.SelectedRows(), std::vector<int>{RowOf(L"renamed.txt")});
}

TEST_F(LocalListTest, ContextMenuItemsApplyToTheSelection)
{
    Open(MakeFolder(L"locallist-menu"));
    const ListView list = List();
    struct Case { const wchar_t* row; std::vector<bool> enabled; };  // Open, Transfer, Rename, Delete, New, Refresh
    const Case cases[] = {
        {L"x9.txt", {true, true, true, true, true, true}},
        {L"a2", {true, true, true, true, true, true}},
        {L"[...]", {true, false, false, false, true, true}},
        {nullptr, {false, false, false, false, true, true}},
    };
    for (const Case& c : cases) {
        SelectOnlyRow(list, c.row ? RowOf(c.row) : -1);
        EXPECT_EQ(ContextMenuEnabled(Hwnd(), list), c.enabled) << (c.row ? c.row : L"nothing");
    }
}
