// What the transfer tests share: the main window opened on a local folder and
// a server profile, row selection by name, clicks, and a probe that watches
// the bottom row's controls while a batch runs.
#pragma once

#include "common/MainWindowFixture.h"
#include "common/SettingsFixture.h"
#include "res/resource.h"
#include "settings/StoredValue.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace transfertest {

// The controls a batch may disable, and the two lists it must leave alone.
inline const int kWatched[] = {IDC_TRANSFER,      IDC_TO_LOCAL,     IDC_TO_FTP,       IDC_LOCAL_ADDFOLDER,
                               IDC_FTP_ADDFOLDER, IDC_LOCAL_BROWSE, IDC_FTP_BROWSE,   IDC_LOCAL_DELETE,
                               IDC_FTP_DELETE,    IDC_LOCAL_LIST,   IDC_FTP_LIST};

// Records, by subclassing, every change of the enabled state of the watched
// controls, every text the status line and the local path box receive, and
// the enabled states at each status text.
class ControlProbe {
public:
    struct Status {
        std::wstring text;
        std::map<int, bool> enabled;
    };

    explicit ControlProbe(HWND dialog);
    ~ControlProbe();
    ControlProbe(const ControlProbe&) = delete;
    ControlProbe& operator=(const ControlProbe&) = delete;

    std::map<int, std::vector<bool>> enableChanges;
    std::vector<Status> statuses;
    std::vector<std::wstring> localPathTexts;

    // The status texts that begin with the prefix, in order.
    std::vector<Status> StatusesStartingWith(const std::wstring& prefix) const;
    // The progress texts ("name  1.0 of 2.0 KB (50 %) ..."), the first of
    // each file's run.
    std::vector<Status> FileProgress() const;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_dialog;
    std::map<HWND, WNDPROC> m_original;
};

struct Profile {
    std::wstring folder;
    std::wstring user = testenv::kUser;
};

class TransferTest : public testenv::MainWindowFixture {
protected:
    void Open(const std::wstring& localFolder, const Profile& profile);

    ListView LocalList() const { return ListView(Item(IDC_LOCAL_LIST)); }
    ListView FtpList() const { return ListView(Item(IDC_FTP_LIST)); }
    const CTranslation& Texts() const { return window->Texts(); }
    std::wstring UploadCaption() const { return L">>>  " + Texts().Text(TextId::kTransferFiles) + L"  >>>"; }
    std::wstring DownloadCaption() const { return L"<<<  " + Texts().Text(TextId::kTransferFiles) + L"  <<<"; }

    // Selects exactly these rows; the first becomes the selection mark.
    void SelectRows(const ListView& list, const std::vector<std::wstring>& names) const;
    void ClearSelection(const ListView& list) const;
    // The rows' names in any order.
    std::set<std::wstring> RowSet(const ListView& list) const;
    // Dispatches every message waiting for this thread.
    static void Pump();
};

// The name a progress text begins with.
std::wstring NameOfProgress(const std::wstring& text);

// Writes the file, creating its folder with every missing level first.
void WriteFileIn(const std::wstring& path, const std::string& bytes);
// Every file below the folder as a "/"-separated relative path with its content.
std::map<std::wstring, std::string> FilesBelow(const std::wstring& folder);
// The folders below the folder, "/"-separated relative paths.
std::set<std::wstring> FoldersBelow(const std::wstring& folder);

}  // namespace transfertest
