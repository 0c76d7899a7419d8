// The real main window, opened modeless with no FTP profile, and the user
// actions on its local pane sent as the messages they produce.
#pragma once

#include "common/MainWindowFixture.h"
#include "common/SettingsFixture.h"
#include "res/resource.h"

#include <string>
#include <vector>

class LocalPaneTest : public testenv::MainWindowFixture {
protected:
    using MainWindowFixture::DoubleClick;
    using MainWindowFixture::RowNames;
    using MainWindowFixture::RowOf;

    void Open(const std::wstring& localFolder)
    {
        MainWindowFixture::Open(
            {{L"Language", L"[1033]"}, {L"FTP Data", L"---"}, {L"Local Folder Data", localFolder}});
    }
    ListView List() const { return ListView(Item(IDC_LOCAL_LIST)); }
    void DoubleClick(int row) const { DoubleClick(IDC_LOCAL_LIST, row); }
    int RowOf(const std::wstring& name) const { return RowOf(IDC_LOCAL_LIST, name); }
    std::vector<std::wstring> RowNames() const { return RowNames(IDC_LOCAL_LIST); }
};
