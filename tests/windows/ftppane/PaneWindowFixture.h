// The real main window with a stored profile, as the FTP pane's tests open it,
// and the user's actions on the pane: clicks, double-clicks, selections.
#pragma once

#include "common/MainWindowFixture.h"
#include "common/SettingsFixture.h"
#include "res/resource.h"
#include "settings/StoredValue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace panetest {

class PaneWindow : public testenv::MainWindowFixture {
protected:
    using MainWindowFixture::DoubleClick;
    using MainWindowFixture::RowOf;

    // Opens the window on the profile; its start-up lists the folder.
    void Open(const std::wstring& user, const std::wstring& folder)
    {
        MainWindowFixture::Open({{L"Language", L"[1033]"},
                                 {L"FTP Data", testenv::ServerName() + L"*" + user + L"*" + folder},
                                 {L"Powersetting 2000", EncodeStoredValue(testenv::kPassword)},
                                 {L"Local Folder Data", L"---"}});
        if (HasFatalFailure())
            return;
        ASSERT_TRUE(ui.messages.empty()) << "the start-up listing failed";
    }

    std::wstring Field() const { return Text(IDC_FTP_PATH); }
    std::wstring FieldFor(const std::wstring& folder) const { return testenv::ServerName() + L"/" + folder; }
    ListView List() const { return ListView(Item(IDC_FTP_LIST)); }
    void DoubleClick(int row) const { DoubleClick(IDC_FTP_LIST, row); }
    int RowOf(const std::wstring& name) const { return RowOf(IDC_FTP_LIST, name); }

    void DoubleClickName(const std::wstring& name) const
    {
        const int row = RowOf(name);
        ASSERT_NE(row, -1) << "no row " << name;
        DoubleClick(row);
    }

    // Selects exactly the named rows and puts the mark on the first of them.
    void SelectNames(const std::vector<std::wstring>& names) const
    {
        const ListView list = List();
        int mark = -1;
        for (int row = 0; row < list.Count(); ++row) {
            const bool selected =
                std::find(names.begin(), names.end(), list.CellText(row, 0)) != names.end();
            list.Select(row, selected);
            if (selected && mark == -1)
                mark = row;
        }
        list.SetSelectionMark(mark);
    }

    // The parent row, then the folders, then the files, each group in any order
    // (the server decides it).
    void ExpectRows(std::vector<std::wstring> folders, std::vector<std::wstring> files) const
    {
        const ListView list = List();
        ASSERT_EQ(list.Count(), static_cast<int>(1 + folders.size() + files.size()));
        EXPECT_EQ(list.CellText(0, 0), L"[...]");
        EXPECT_EQ(list.Image(0), 2);
        std::vector<std::wstring> shownFolders;
        std::vector<std::wstring> shownFiles;
        for (int row = 1; row < list.Count(); ++row) {
            const bool isFolder = row <= static_cast<int>(folders.size());
            EXPECT_EQ(list.Image(row), isFolder ? 1 : 0) << row;
            (isFolder ? shownFolders : shownFiles).push_back(list.CellText(row, 0));
        }
        std::sort(folders.begin(), folders.end());
        std::sort(files.begin(), files.end());
        std::sort(shownFolders.begin(), shownFolders.end());
        std::sort(shownFiles.begin(), shownFiles.end());
        EXPECT_EQ(shownFolders, folders);
        EXPECT_EQ(shownFiles, files);
    }
};

}  // namespace panetest
