#include "framework/UiSeam.h"

#include "framework/Dialog.h"

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
