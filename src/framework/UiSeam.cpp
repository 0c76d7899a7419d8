#include "framework/UiSeam.h"

#include "framework/Dialog.h"
#include "framework/SystemErrorText.h"

#include <shellapi.h>
#include <shlobj.h>

int UiSeam::ShowMessage(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type)
{
    return ::MessageBoxW(owner, text.c_str(), caption.c_str(), type);
}

std::optional<std::wstring> UiSeam::BrowseForFolder(const std::wstring& title)
{
    BROWSEINFOW info = {};
    info.lpszTitle = title.c_str();
    PIDLIST_ABSOLUTE item = ::SHBrowseForFolderW(&info);
    if (!item)
        return std::nullopt;
    wchar_t path[MAX_PATH] = {};
    const BOOL hasPath = ::SHGetPathFromIDListW(item, path);
    IMalloc* allocator = nullptr;
    if (SUCCEEDED(::SHGetMalloc(&allocator))) {
        allocator->Free(item);
        allocator->Release();
    }
    if (!hasPath)
        return std::nullopt;
    return std::wstring(path);
}

void UiSeam::ShellOpen(const std::wstring& target)
{
    ::ShellExecuteW(nullptr, L"open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

bool UiSeam::OpenWithProgram(const std::wstring& path, std::wstring& reason)
{
    const auto run = [&path](const wchar_t* verb) {
        return reinterpret_cast<INT_PTR>(::ShellExecuteW(nullptr, verb, path.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    };
    INT_PTR result = run(L"open");
    if (result == SE_ERR_NOASSOC || result == SE_ERR_ASSOCINCOMPLETE)
        result = run(L"openas");
    if (result > 32)
        return true;
    const DWORD error = ::GetLastError();
    reason = SystemErrorText(error != ERROR_SUCCESS ? error : static_cast<DWORD>(result));
    return false;
}

INT_PTR UiSeam::RunModal(Dialog& dialog, HWND owner)
{
    return dialog.RunModal(owner);
}

namespace {
UiSeam g_realUi;
UiSeam* g_ui = &g_realUi;
}

UiSeam& Ui() { return *g_ui; }

void SetUi(UiSeam* seam) { g_ui = seam ? seam : &g_realUi; }
