#include "common/MainWindowFixture.h"

#include "common/SettingsFixture.h"
#include "res/resource.h"

#include <commctrl.h>

namespace testenv {

void MainWindowFixture::Open(const SettingValues& settings)
{
    WriteUserSettings(settings);
    window = std::make_unique<CFTPTandrilDlg>(parts.settings, parts.work, parts.files);
    ASSERT_NE(window->CreateModeless(nullptr), nullptr);
    ASSERT_TRUE(parts.WaitForFtpWork()) << "the start-up listing did not end";
}

void MainWindowFixture::Click(int id) const
{
    ::SendMessageW(Hwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Item(id)));
    WaitForFtpWork();
}

void MainWindowFixture::Command(int id) const
{
    ::SendMessageW(Hwnd(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
    WaitForFtpWork();
}

void MainWindowFixture::WaitForFtpWork() const
{
    EXPECT_TRUE(parts.WaitForFtpWork()) << "FTP work still runs";
}

void MainWindowFixture::DoubleClick(int listId, int row) const
{
    const ListView list(Item(listId));
    if (row >= 0)
        list.Select(row, true);
    list.SetSelectionMark(row);
    NMITEMACTIVATE activate = {};
    activate.hdr.hwndFrom = list.Handle();
    activate.hdr.idFrom = static_cast<UINT_PTR>(listId);
    activate.hdr.code = NM_DBLCLK;
    activate.iItem = row;
    ::SendMessageW(Hwnd(), WM_NOTIFY, listId, reinterpret_cast<LPARAM>(&activate));
    WaitForFtpWork();
}

int MainWindowFixture::RowOf(const ListView& list, const std::wstring& name)
{
    for (int row = 0; row < list.Count(); ++row)
        if (list.CellText(row, 0) == name)
            return row;
    return -1;
}

std::vector<std::wstring> MainWindowFixture::RowNames(const ListView& list)
{
    std::vector<std::wstring> names;
    for (int row = 0; row < list.Count(); ++row)
        names.push_back(list.CellText(row, 0));
    return names;
}

std::wstring MenuText(HMENU menu, UINT item, UINT flags)
{
    wchar_t text[256] = {};
    ::GetMenuStringW(menu, item, text, 256, flags);
    return text;
}

std::wstring TooltipText(HWND tooltip, HWND owner, HWND control)
{
    wchar_t text[512] = {};
    TTTOOLINFOW info = {};
    info.cbSize = sizeof(info);
    info.hwnd = owner;
    info.uId = reinterpret_cast<UINT_PTR>(control);
    info.lpszText = text;
    ::SendMessageW(tooltip, TTM_GETTEXTW, 512, reinterpret_cast<LPARAM>(&info));
    return text;
}

int CountSystemMenuAbout(HWND window)
{
    HMENU menu = ::GetSystemMenu(window, FALSE);
    int count = 0;
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i)
        if (::GetMenuItemID(menu, i) == IDM_ABOUTBOX)
            ++count;
    return count;
}

}  // namespace testenv
