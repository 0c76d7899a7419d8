// Which of the items dropped from the shell may be uploaded. Only files and
// folders of the file system are: a shortcut, a link to elsewhere (a junction
// or symbolic link) and an item that has no file-system path (the content of
// a ZIP folder, a phone's storage) are refused, and with them the whole drop,
// so that nothing is sent that the user did not see.
#pragma once

#include <string>
#include <vector>

struct DroppedItem {
    std::wstring path;
    bool exists = false;
    bool folder = false;
    bool reparsePoint = false;  // a junction or a symbolic link
};

// The paths of the refused items, in the drop's order; empty when all may go.
std::vector<std::wstring> RefusedDroppedItems(const std::vector<DroppedItem>& items);
