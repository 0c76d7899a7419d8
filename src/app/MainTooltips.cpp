#include "app/MainTooltips.h"

#include "i18n/CTranslation.h"
#include "res/resource.h"

#include <commctrl.h>

#include <string>

namespace {
struct Tool {
    int control;
    TextId text;
};

const Tool kTools[] = {
    {IDC_LOCAL_PATH, TextId::kLocalPathTip},     {IDC_LOCAL_BROWSE, TextId::kLocalBrowseTip},
    {IDC_FTP_PATH, TextId::kFtpPathTip},         {IDC_FTP_BROWSE, TextId::kFtpBrowseTip},
    {IDC_LOCAL_LIST, TextId::kLocalListTip},     {IDC_FTP_LIST, TextId::kFtpListTip},
    {IDC_LOCAL_ADDFOLDER, TextId::kAddFolderTip}, {IDC_LOCAL_DELETE, TextId::kDeleteTip},
    {IDC_FTP_ADDFOLDER, TextId::kAddFolderTip},   {IDC_FTP_DELETE, TextId::kDeleteTip},
    {IDC_TO_LOCAL, TextId::kToLocalTip},         {IDC_TRANSFER, TextId::kTransferTip},
    {IDC_TO_FTP, TextId::kToFtpTip},
};

// The one main window of the thread, for the hook procedure.
MainTooltips* g_active = nullptr;
}  // namespace

MainTooltips::~MainTooltips() { Destroy(); }

void MainTooltips::Destroy()
{
    if (m_hook) {
        ::UnhookWindowsHookEx(m_hook);
        m_hook = nullptr;
    }
    if (g_active == this)
        g_active = nullptr;
    if (m_tooltip && ::IsWindow(m_tooltip))
        ::DestroyWindow(m_tooltip);
    m_tooltip = nullptr;
}

void MainTooltips::Create(HWND window, const CTranslation& texts)
{
    Destroy();
    m_window = window;
    m_tooltip = ::CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, 0, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                  CW_USEDEFAULT, window, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    if (!m_tooltip)
        return;
    for (const Tool& tool : kTools) {
        std::wstring text = texts.Text(tool.text);
        TTTOOLINFOW info = {};
        info.cbSize = sizeof(info);
        info.uFlags = TTF_IDISHWND;
        info.hwnd = window;
        info.uId = reinterpret_cast<UINT_PTR>(::GetDlgItem(window, tool.control));
        info.lpszText = text.data();
        ::SendMessageW(m_tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    }
    ::SendMessageW(m_tooltip, TTM_ACTIVATE, TRUE, 0);
    g_active = this;
    m_hook = ::SetWindowsHookExW(WH_GETMESSAGE, RelayHook, nullptr, ::GetCurrentThreadId());
}

LRESULT CALLBACK MainTooltips::RelayHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && wParam == PM_REMOVE && g_active && g_active->m_tooltip) {
        MSG* message = reinterpret_cast<MSG*>(lParam);
        if (message->hwnd == g_active->m_window || ::IsChild(g_active->m_window, message->hwnd))
            ::SendMessageW(g_active->m_tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(message));
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}
