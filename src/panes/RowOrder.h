// The order a list shows its rows in. Until the user clicks a column header it
// is the listing's own; a click sorts by that column, a second click on the
// same column reverses it. In every order the parent row comes first and the
// folders before the files.
#pragma once

#include "panes/ListRows.h"

#include <cstddef>
#include <string>

// How two names compare: negative, 0 or positive. The program compares the
// way the file manager does (CompareFileNames); the native tests use their own.
using NameCompare = int (*)(const std::wstring& a, const std::wstring& b);

enum class SortColumn { kName = 0, kSize = 1, kModified = 2 };

class RowOrder {
public:
    // A click on the header of the column (0 name, 1 size, 2 modified); other
    // columns change nothing.
    void Click(int column);

    bool IsChosen() const { return m_chosen; }
    SortColumn Column() const { return m_column; }
    bool Descending() const { return m_descending; }

    // Negative when row a comes before row b. The positions are the rows'
    // places in the listing: the listing's order, and the last word between
    // rows that are alike in everything else. Sizes and times compare as
    // numbers; equal ones fall back on the names, ascending.
    int Compare(const ListRow& a, std::size_t positionA, const ListRow& b, std::size_t positionB,
                NameCompare names) const;

private:
    bool m_chosen = false;
    SortColumn m_column = SortColumn::kName;
    bool m_descending = false;
};
