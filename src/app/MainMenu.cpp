#include "app/MainMenu.h"

#include "framework/DpiScale.h"
#include "i18n/CTranslation.h"
#include "res/resource.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

namespace {
constexpr int kServersMenu = 1;

// The sizes each bitmap is drawn at (draw_resources.py), with its ids in that order.
const std::vector<int> kDrawnSizes = {12, 15, 18, 24};

struct MenuItem {
    UINT command;
    TextId text;
    int bitmaps[4];
};

const MenuItem kItems[] = {
    {IDM_LANGUAGE, TextId::kLanguageMenuItem, {IDB_GLOBE, IDB_GLOBE_15, IDB_GLOBE_18, IDB_GLOBE_24}},
    {IDM_EXIT, TextId::kExitMenuItem, {IDB_REDCROSS, IDB_REDCROSS_15, IDB_REDCROSS_18, IDB_REDCROSS_24}},
    {IDM_HELPFILE, TextId::kHelpFileMenuItem, {IDB_QUESTION, IDB_QUESTION_15, IDB_QUESTION_18, IDB_QUESTION_24}},
    {IDM_WEBSITE, TextId::kWebsiteMenuItem, {IDB_HOUSE, IDB_HOUSE_15, IDB_HOUSE_18, IDB_HOUSE_24}},
    {IDM_ABOUT, TextId::kAboutMenuItem, {IDB_BALLOON, IDB_BALLOON_15, IDB_BALLOON_18, IDB_BALLOON_24}},
};

void SetPopupTitle(HMENU menu, UINT position, const std::wstring& title)
{
    HMENU popup = ::GetSubMenu(menu, static_cast<int>(position));
    ::ModifyMenuW(menu, position, MF_BYPOSITION | MF_STRING | MF_POPUP, reinterpret_cast<UINT_PTR>(popup),
                  title.c_str());
}

template <std::size_t N>
void DeleteBitmaps(HBITMAP (&bitmaps)[N])
{
    for (HBITMAP& bitmap : bitmaps) {
        if (bitmap)
            ::DeleteObject(bitmap);
        bitmap = nullptr;
    }
}
}  // namespace

MainMenu::~MainMenu() { DeleteBitmaps(m_bitmaps); }

void MainMenu::LoadBitmaps(int size, HBITMAP (&previous)[kItemCount])
{
    if (size == m_size)
        return;
    static_assert(sizeof(kItems) / sizeof(kItems[0]) == kItemCount, "one bitmap per item");
    // The drawing nearest to the size, shrunk or stretched to it where the
    // scale lies between the drawn ones.
    const auto drawn = std::find(kDrawnSizes.begin(), kDrawnSizes.end(), NearestDrawnSize(kDrawnSizes, size)) -
                       kDrawnSizes.begin();
    for (int i = 0; i < kItemCount; ++i) {
        previous[i] = m_bitmaps[i];
        m_bitmaps[i] = static_cast<HBITMAP>(::LoadImageW(::GetModuleHandleW(nullptr),
                                                         MAKEINTRESOURCEW(kItems[i].bitmaps[drawn]), IMAGE_BITMAP,
                                                         size, size, 0));
    }
    m_size = size;
}

void MainMenu::Apply(HWND window, const CTranslation& texts, int dpi)
{
    HMENU menu = ::GetMenu(window);
    if (!menu)
        return;
    HBITMAP previous[kItemCount] = {};
    LoadBitmaps(ScaleForDpi(12, dpi), previous);
    SetPopupTitle(menu, 0, texts.Text(TextId::kFileMenu));
    SetPopupTitle(menu, kServersMenu, texts.Text(TextId::kServersMenu));
    SetPopupTitle(menu, 2, texts.Text(TextId::kHelpMenu));
    for (int i = 0; i < kItemCount; ++i) {
        const MenuItem& item = kItems[i];
        const std::wstring text = L"  " + texts.Text(item.text);
        ::ModifyMenuW(menu, item.command, MF_BYCOMMAND | MF_STRING, item.command, text.c_str());
        ::SetMenuItemBitmaps(menu, item.command, MF_BYCOMMAND, m_bitmaps[i], m_bitmaps[i]);
    }
    ::DrawMenuBar(window);
    DeleteBitmaps(previous);
}

void MainMenu::ShowServers(HWND window, const CTranslation& texts, const std::vector<std::wstring>& names, int inUse)
{
    HMENU servers = ::GetSubMenu(::GetMenu(window), kServersMenu);
    if (!servers)
        return;
    while (::GetMenuItemCount(servers) > 0)
        ::DeleteMenu(servers, 0, MF_BYPOSITION);
    const UINT state = m_serversEnabled ? MF_ENABLED : MF_GRAYED;
    const size_t count = std::min<size_t>(names.size(), IDM_SAVED_SERVER_LAST - IDM_SAVED_SERVER_FIRST + 1);
    for (size_t i = 0; i < count; ++i) {
        // A name's "&" would mark the next letter as the item's key.
        std::wstring text = L"  ";
        for (wchar_t c : names[i])
            text += c == L'&' ? std::wstring(L"&&") : std::wstring(1, c);
        ::AppendMenuW(servers, MF_STRING | state | (static_cast<int>(i) == inUse ? MF_CHECKED : MF_UNCHECKED),
                      IDM_SAVED_SERVER_FIRST + i, text.c_str());
    }
    if (count > 0)
        ::AppendMenuW(servers, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(servers, MF_STRING | state, IDM_MANAGE_SERVERS,
                  (L"  " + texts.Text(TextId::kManageServersMenuItem)).c_str());
    ::DrawMenuBar(window);
}

void MainMenu::EnableServers(HWND window, bool enable)
{
    m_serversEnabled = enable;
    HMENU servers = ::GetSubMenu(::GetMenu(window), kServersMenu);
    for (int i = 0; servers && i < ::GetMenuItemCount(servers); ++i)
        ::EnableMenuItem(servers, static_cast<UINT>(i), MF_BYPOSITION | (enable ? MF_ENABLED : MF_GRAYED));
}
