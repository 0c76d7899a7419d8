// What a row of either list stands for.
#pragma once

#include <string>

enum class RowKind { Parent, Folder, File, Unknown };

// A row as the pane commands see it: its name and what it stands for.
struct PaneRow {
    std::wstring name;
    RowKind kind = RowKind::Unknown;
};
