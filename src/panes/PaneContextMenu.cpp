#include "panes/PaneContextMenu.h"

#include "i18n/CTranslation.h"
#include "res/resource.h"

namespace {

void AddItem(HMENU menu, int id, const std::wstring& text, bool applies)
{
    ::AppendMenuW(menu, MF_STRING | (applies ? MF_ENABLED : MF_GRAYED), static_cast<UINT_PTR>(id), text.c_str());
}

}  // namespace

int ChooseFromContextMenu(HWND owner, POINT at, const ContextMenuItems& items, const CTranslation& texts,
                          TextId transferText, TextId openText)
{
    const HMENU menu = ::CreatePopupMenu();
    if (!menu)
        return 0;
    AddItem(menu, IDM_LIST_OPEN, texts.Text(openText), items.open);
    AddItem(menu, IDM_LIST_TRANSFER, texts.Text(transferText), items.transfer);
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AddItem(menu, IDM_LIST_RENAME, texts.Text(TextId::kRenameMenuItem), items.rename);
    AddItem(menu, IDM_LIST_DELETE, texts.Text(TextId::kDeleteMenuItem), items.remove);
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AddItem(menu, IDM_LIST_NEWFOLDER, texts.Text(TextId::kNewFolderMenuItem), items.newFolder);
    AddItem(menu, IDM_LIST_REFRESH, texts.Text(TextId::kRefreshMenuItem), items.refresh);
    // Open is what Enter and the double-click do: shown in bold, as the default.
    if (items.open)
        ::SetMenuDefaultItem(menu, IDM_LIST_OPEN, FALSE);
    const int chosen = static_cast<int>(::TrackPopupMenuEx(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN,
                                                           at.x, at.y, owner, nullptr));
    ::DestroyMenu(menu);
    return chosen;
}
