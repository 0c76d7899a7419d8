#include "panes/RowOrder.h"

namespace {

int Rank(RowKind kind)
{
    switch (kind) {
    case RowKind::Parent: return 0;
    case RowKind::Folder: return 1;
    case RowKind::File: return 2;
    case RowKind::Unknown: break;
    }
    return 3;
}

template <class T>
int Sign(T a, T b)
{
    return a < b ? -1 : b < a ? 1 : 0;
}

}  // namespace

void RowOrder::Click(int column)
{
    if (column < static_cast<int>(SortColumn::kName) || column > static_cast<int>(SortColumn::kModified))
        return;
    const SortColumn clicked = static_cast<SortColumn>(column);
    m_descending = m_chosen && clicked == m_column && !m_descending;
    m_column = clicked;
    m_chosen = true;
}

int RowOrder::Compare(const ListRow& a, std::size_t positionA, const ListRow& b, std::size_t positionB,
                      NameCompare names) const
{
    int result = Sign(Rank(a.kind), Rank(b.kind));
    if (result == 0 && m_chosen) {
        switch (m_column) {
        case SortColumn::kName: result = names(a.name, b.name); break;
        case SortColumn::kSize: result = Sign(a.size, b.size); break;
        case SortColumn::kModified: result = Sign(a.modified, b.modified); break;
        }
        if (m_descending)
            result = -result;
        if (result == 0 && m_column != SortColumn::kName)
            result = names(a.name, b.name);
        // Names that differ only in case, from a server that tells them apart.
        if (result == 0)
            result = a.name.compare(b.name);
    }
    return result != 0 ? (result < 0 ? -1 : 1) : Sign(positionA, positionB);
}
