// Which items of a list's context menu apply to what is selected.
#pragma once

#include "panes/RowKind.h"

#include <vector>

struct ContextMenuItems {
    bool open = false;       // one folder or the parent row (locally also one file)
    bool transfer = false;   // at least one entry, the parent row aside
    bool rename = false;     // exactly one entry that is not the parent row
    bool remove = false;     // at least one entry, the parent row aside
    bool newFolder = false;  // always
    bool refresh = false;    // always
};

// The kinds of the selected rows; whether the pane opens files (the local pane
// does, with their programs); whether it shows a folder at all (a local folder
// chosen, a server named): without one nothing applies.
ContextMenuItems ContextMenuFor(const std::vector<RowKind>& selected, bool opensFiles, bool showsFolder);
