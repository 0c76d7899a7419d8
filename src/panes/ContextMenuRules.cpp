#include "panes/ContextMenuRules.h"

ContextMenuItems ContextMenuFor(const std::vector<RowKind>& selected, bool opensFiles, bool showsFolder)
{
    std::size_t entries = 0;
    for (RowKind kind : selected)
        entries += kind == RowKind::Folder || kind == RowKind::File ? 1 : 0;
    ContextMenuItems items;
    if (!showsFolder)
        return items;
    if (selected.size() == 1) {
        const RowKind kind = selected.front();
        items.open = kind == RowKind::Folder || kind == RowKind::Parent || (opensFiles && kind == RowKind::File);
        items.rename = entries == 1;
    }
    items.transfer = entries > 0;
    items.remove = entries > 0;
    items.newFolder = true;
    items.refresh = true;
    return items;
}
