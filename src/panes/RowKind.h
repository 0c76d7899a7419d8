// What a row of either list stands for, told the way every reader of the rows
// tells it: by the image, and the parent row from a folder by its text "[...]".
#pragma once

#include <string>

enum class RowKind { Parent, Folder, File, Unknown };

RowKind KindOfRow(int image, const std::wstring& text);

// A row as the pane commands see it: its name and what it stands for.
struct PaneRow {
    std::wstring name;
    RowKind kind = RowKind::Unknown;
};
