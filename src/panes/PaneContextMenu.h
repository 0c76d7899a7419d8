// The context menu of both lists: Open, the transfer to the other side,
// Rename, Delete, New Folder and Refresh, the items that do not apply grayed.
#pragma once

#include "i18n/TextId.h"
#include "panes/ContextMenuRules.h"

#include <windows.h>

class CTranslation;

// Shows the menu at the screen point over the owner and waits for the user's
// choice: the command (IDM_LIST_...), or 0 when the menu was closed without one.
int ChooseFromContextMenu(HWND owner, POINT at, const ContextMenuItems& items, const CTranslation& texts,
                          TextId transferText,
                          TextId openText = TextId::kOpenMenuItem);
