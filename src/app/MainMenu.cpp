#include "app/MainMenu.h"

#include "i18n/CTranslation.h"
#include "res/resource.h"

#include <string>

namespace {
struct MenuItem {
    UINT command;
    TextId text;
    int bitmap;
};

const MenuItem kItems[] = {
    {IDM_LANGUAGE, TextId::kLanguageMenuItem, IDB_GLOBE},
    {IDM_EXIT, TextId::kExitMenuItem, IDB_REDCROSS},
    {IDM_HELPFILE, TextId::kHelpFileMenuItem, IDB_QUESTION},
    {IDM_WEBSITE, TextId::kWebsiteMenuItem, IDB_HOUSE},
    {IDM_ABOUT, TextId::kAboutMenuItem, IDB_BALLOON},
};

void SetPopupTitle(HMENU menu, UINT position, const std::wstring& title)
{
    HMENU popup = ::GetSubMenu(menu, static_cast<int>(position));
    ::ModifyMenuW(menu, position, MF_BYPOSITION | MF_STRING | MF_POPUP, reinterpret_cast<UINT_PTR>(popup),
                  title.c_str());
}
}  // namespace

MainMenu::~MainMenu()
{
    for (HBITMAP bitmap : m_bitmaps)
        if (bitmap)
            ::DeleteObject(bitmap);
}

HBITMAP MainMenu::Bitmap(int index, int resourceId)
{
    if (!m_bitmaps[index])
        m_bitmaps[index] = static_cast<HBITMAP>(
            ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resourceId), IMAGE_BITMAP, 12, 12, 0));
    return m_bitmaps[index];
}

void MainMenu::Apply(HWND window, const CTranslation& texts)
{
    HMENU menu = ::GetMenu(window);
    if (!menu)
        return;
    SetPopupTitle(menu, 0, texts.Text(TextId::kFileMenu));
    SetPopupTitle(menu, 1, texts.Text(TextId::kHelpMenu));
    int index = 0;
    for (const MenuItem& item : kItems) {
        const std::wstring text = L"  " + texts.Text(item.text);
        ::ModifyMenuW(menu, item.command, MF_BYCOMMAND | MF_STRING, item.command, text.c_str());
        HBITMAP bitmap = Bitmap(index++, item.bitmap);
        ::SetMenuItemBitmaps(menu, item.command, MF_BYCOMMAND, bitmap, bitmap);
    }
    ::DrawMenuBar(window);
}
