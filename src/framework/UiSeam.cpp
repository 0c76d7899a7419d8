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
    const INT_PTR opened = run(L"open");
    if (opened > 32)
        return true;
    const bool noProgram = opened == SE_ERR_NOASSOC || opened == SE_ERR_ASSOCINCOMPLETE;
    if (noProgram && run(L"openas") > 32)
        return true;
    // The reason of the first refusal: where "Open with" is not there either,
    // its own failure would only name the missing helper. ShellExecuteW's
    // results up to 25 are system error codes; the others are its own.
    DWORD error = static_cast<DWORD>(opened);
    if (noProgram)
        error = ERROR_NO_ASSOCIATION;
    else if (opened == SE_ERR_SHARE)
        error = ERROR_SHARING_VIOLATION;
    else if (opened == SE_ERR_DLLNOTFOUND)
        error = ERROR_DLL_NOT_FOUND;
    else if (opened >= SE_ERR_DDETIMEOUT && opened <= SE_ERR_DDEBUSY)
        error = ERROR_DDE_FAIL;
    reason = SystemErrorText(error);
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
