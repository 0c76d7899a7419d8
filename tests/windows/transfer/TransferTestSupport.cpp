#include "TransferTestSupport.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace transfertest {

namespace {
// The one probe alive; the window procedure finds it here.
ControlProbe* g_probe = nullptr;

std::wstring Relative(const fs::path& path, const fs::path& base)
{
    std::wstring relative = fs::relative(path, base).wstring();
    for (wchar_t& c : relative)
        if (c == L'\\')
            c = L'/';
    return relative;
}
}  // namespace

ControlProbe::ControlProbe(HWND dialog) : m_dialog(dialog)
{
    g_probe = this;
    std::vector<int> ids(std::begin(kWatched), std::end(kWatched));
    ids.push_back(IDC_STATUS);
    ids.push_back(IDC_LOCAL_PATH);
    for (int id : ids) {
        HWND control = ::GetDlgItem(dialog, id);
        m_original[control] = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ControlProbe::Proc)));
    }
}

ControlProbe::~ControlProbe()
{
    for (const auto& [control, original] : m_original)
        if (::IsWindow(control))
            ::SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    g_probe = nullptr;
}

std::vector<ControlProbe::Status> ControlProbe::StatusesStartingWith(const std::wstring& prefix) const
{
    std::vector<Status> found;
    for (const Status& status : statuses)
        if (status.text.compare(0, prefix.size(), prefix) == 0)
            found.push_back(status);
    return found;
}

std::vector<ControlProbe::Status> ControlProbe::FileProgress() const
{
    std::vector<Status> found;
    for (const Status& status : statuses)
        if (status.text.find(L" %)") != std::wstring::npos &&
            (found.empty() || NameOfProgress(found.back().text) != NameOfProgress(status.text)))
            found.push_back(status);
    return found;
}

std::wstring NameOfProgress(const std::wstring& text) { return text.substr(0, text.find(L"  ")); }

LRESULT CALLBACK ControlProbe::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    ControlProbe& probe = *g_probe;
    const int id = ::GetDlgCtrlID(hwnd);
    if (message == WM_ENABLE) {
        probe.enableChanges[id].push_back(wParam != FALSE);
    } else if (message == WM_SETTEXT && id == IDC_STATUS) {
        Status status{reinterpret_cast<const wchar_t*>(lParam), {}};
        for (int watched : kWatched)
            status.enabled[watched] = ::IsWindowEnabled(::GetDlgItem(probe.m_dialog, watched)) != FALSE;
        probe.statuses.push_back(status);
    } else if (message == WM_SETTEXT && id == IDC_LOCAL_PATH) {
        probe.localPathTexts.push_back(reinterpret_cast<const wchar_t*>(lParam));
    }
    return ::CallWindowProcW(probe.m_original.at(hwnd), hwnd, message, wParam, lParam);
}

void TransferTest::Open(const std::wstring& localFolder, const Profile& profile)
{
    const std::wstring ftpData = profile.folder == L"---"
                                     ? std::wstring(L"---")
                                     : testenv::ServerName() + L"*" + profile.user + L"*" + profile.folder;
    MainWindowFixture::Open({{L"Language", L"[1033]"},
                             {L"FTP Data", ftpData},
                             {L"Powersetting 2000", EncodeStoredValue(testenv::kPassword)},
                             {L"Local Folder Data", localFolder}});
    if (HasFatalFailure())
        return;
    ASSERT_TRUE(ui.messages.empty()) << ui.messages[0].text;
}

void TransferTest::SelectRows(const ListView& list, const std::vector<std::wstring>& names) const
{
    ClearSelection(list);
    for (const std::wstring& name : names) {
        const int row = RowOf(list, name);
        ASSERT_NE(row, -1) << name;
        list.Select(row, true);
    }
    if (!names.empty())
        list.SetSelectionMark(RowOf(list, names.front()));
}

void TransferTest::ClearSelection(const ListView& list) const
{
    for (int row = 0; row < list.Count(); ++row)
        list.Select(row, false);
    list.SetSelectionMark(-1);
}

std::set<std::wstring> TransferTest::RowSet(const ListView& list) const
{
    const std::vector<std::wstring> names = RowNames(list);
    return {names.begin(), names.end()};
}

void TransferTest::Pump()
{
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

void WriteFileIn(const std::wstring& path, const std::string& bytes)
{
    testenv::MakeFolders(path.substr(0, path.find_last_of(L"\\/")));
    testenv::WriteFile(path, bytes);
}

std::map<std::wstring, std::string> FilesBelow(const std::wstring& folder)
{
    std::map<std::wstring, std::string> files;
    std::error_code error;
    for (fs::recursive_directory_iterator it(fs::path(folder), error), end; !error && it != end; it.increment(error))
        if (it->is_regular_file())
            files[Relative(it->path(), folder)] = testenv::ReadFile(it->path().wstring());
    return files;
}

std::set<std::wstring> FoldersBelow(const std::wstring& folder)
{
    std::set<std::wstring> folders;
    std::error_code error;
    for (fs::recursive_directory_iterator it(fs::path(folder), error), end; !error && it != end; it.increment(error))
        if (it->is_directory())
            folders.insert(Relative(it->path(), folder));
    return folders;
}

}  // namespace transfertest
