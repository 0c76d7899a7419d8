// The real main window, opened modeless with no FTP profile, and the user
// actions on its local pane sent as the messages they produce.
#pragma once

#include "app/CFTPTandrilDlg.h"
#include "common/SettingsFixture.h"
#include "common/TestEnvironment.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

class LocalPaneTest : public ::testing::Test {
protected:
    void Open(const std::wstring& localFolder)
    {
        testenv::WriteUserSettings(
            {{L"Language", L"[1033]"}, {L"FTP Data", L"---"}, {L"Local Folder Data", localFolder}});
        window = std::make_unique<CFTPTandrilDlg>();
        ASSERT_NE(window->CreateModeless(nullptr), nullptr);
    }
    HWND Item(int id) const { return window->Item(id); }
    std::wstring Text(int id) const { return Control(Item(id)).Text(); }
    void SetText(int id, const std::wstring& text) const { Control(Item(id)).SetText(text); }
    bool Visible(int id) const { return Control(Item(id)).IsVisible(); }
    ListView List() const { return ListView(Item(IDC_LOCAL_LIST)); }
    std::wstring T(int number) const { return window->Texts().Text(number); }

    void Click(int id) const
    {
        ::SendMessageW(window->Handle(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Item(id)));
    }
    // Selects the row and makes it the selection mark, as a click does, then
    // sends the list's double-click notification.
    void DoubleClick(int row) const
    {
        const ListView list = List();
        if (row >= 0) {
            list.Select(row, true);
            list.SetSelectionMark(row);
        }
        NMITEMACTIVATE activate = {};
        activate.hdr.hwndFrom = list.Handle();
        activate.hdr.idFrom = IDC_LOCAL_LIST;
        activate.hdr.code = NM_DBLCLK;
        activate.iItem = row;
        ::SendMessageW(window->Handle(), WM_NOTIFY, IDC_LOCAL_LIST, reinterpret_cast<LPARAM>(&activate));
    }
    int RowOf(const std::wstring& name) const
    {
        const ListView list = List();
        for (int row = 0; row < list.Count(); ++row)
            if (list.CellText(row, 0) == name)
                return row;
        return -1;
    }
    std::vector<std::wstring> RowNames() const
    {
        std::vector<std::wstring> names;
        const ListView list = List();
        for (int row = 0; row < list.Count(); ++row)
            names.push_back(list.CellText(row, 0));
        return names;
    }

    testenv::RecordingUi ui;
    std::unique_ptr<CFTPTandrilDlg> window;
};
