// The FTP list's Modified column, renaming on the server in place, and the
// context menu's Open, which opens no file on the server.
#include "common/ListActions.h"
#include "ftppane/PaneWindowFixture.h"
#include "i18n/LanguageFile.h"
#include "panes/UserLocale.h"

using namespace testenv;

namespace {
using FtpListRename = panetest::PaneWindow;
}  // namespace

TEST_F(FtpListRename, ModifiedColumnAndRenameOnTheServer)
{
    const std::wstring folder = FreshFtpFolder(L"ftp-rename");
    WriteFile(FtpPath(folder + L"/a.txt"), "a");
    WriteFile(FtpPath(folder + L"/b.txt"), "b");
    // Two days ago to the minute: a listing gives recent times with hours and minutes.
    constexpr std::uint64_t kMinute = 600000000ull;
    const std::uint64_t time = (CurrentFileTime() / kMinute - 2 * 24 * 60) * kMinute;
    SetLastWriteTime(FtpPath(folder + L"/a.txt"), time);
    Open(kUser, folder);
    const ListView list = List();
    EXPECT_EQ(list.CellText(RowOf(L"a.txt"), 2), LocalTimeText(time));

    // The server's answer comes after the edit ended; a refused name is
    // offered again in a new edit, which is read and closed here.
    std::wstring offeredAgain;
    const auto settle = [&] {
        WaitForFtpWork();
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageW(&message);
        offeredAgain.clear();
        if (const HWND edit = List().EditControl()) {
            offeredAgain = Control(edit).Text();
            ::SendMessageW(edit, WM_KEYDOWN, VK_ESCAPE, 0);
        }
    };
    SelectOnlyRow(list, RowOf(L"a.txt"));
    // Open (a copy), Transfer, Rename, Delete, New Folder, Refresh.
    EXPECT_EQ(ContextMenuEnabled(Hwnd(), list), (std::vector<bool>{true, true, true, true, true, true}));

    for (const auto& [typed, refusal] : {std::pair{L"B.TXT", TextId::kNameTaken}, {L"x/y", TextId::kNameNotOnServer}}) {
        EXPECT_EQ(RenameInPlace(list, RowOf(L"a.txt"), typed, ui, settle),
                  std::vector<std::wstring>{FillPlaceholder(Translated(refusal), typed)});
        EXPECT_EQ(offeredAgain, typed);
    }
    EXPECT_EQ(ReadFile(FtpPath(folder + L"/b.txt")), "b");

    EXPECT_EQ(RenameInPlace(list, RowOf(L"a.txt"), L"c.txt", ui, settle), std::vector<std::wstring>{});
    EXPECT_EQ(ReadFile(FtpPath(folder + L"/c.txt")), "a");
    EXPECT_FALSE(Exists(FtpPath(folder + L"/a.txt")));
    ExpectRows({}, {L"b.txt", L"c.txt"});
    EXPECT_EQ(list.SelectedRows(), std::vector<int>{RowOf(L"c.txt")});
}
