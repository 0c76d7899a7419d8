#include "framework/WindowDpi.h"

#include "framework/DpiScale.h"

namespace {
// Looked up once in user32; null where this Windows version lacks it.
template <typename Function>
Function User32Function(const char* name)
{
    const HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
    if (!user32)
        return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(user32, name)));
}

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
// SetDialogDpiChangeBehavior and its flags DDC_DISABLE_RESIZE (2) and
// DDC_DISABLE_CONTROL_RELAYOUT (4), which older SDK headers lack.
using SetDialogDpiChangeBehaviorFunction = BOOL(WINAPI*)(HWND, int, int);
constexpr int kDisableResizeAndRelayout = 0x0002 | 0x0004;
}  // namespace

int WindowDpi(HWND window)
{
    static const auto getDpiForWindow = User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
    if (getDpiForWindow) {
        const UINT dpi = getDpiForWindow(window);
        if (dpi > 0)
            return static_cast<int>(dpi);
    }
    const HDC dc = ::GetDC(window);
    const int dpi = dc ? ::GetDeviceCaps(dc, LOGPIXELSX) : 0;
    if (dc)
        ::ReleaseDC(window, dc);
    return dpi > 0 ? dpi : kDefaultDpi;
}

void KeepOwnLayoutOnDpiChange(HWND dialog)
{
    static const auto setBehavior = User32Function<SetDialogDpiChangeBehaviorFunction>("SetDialogDpiChangeBehavior");
    if (setBehavior)
        setBehavior(dialog, kDisableResizeAndRelayout, kDisableResizeAndRelayout);
}
