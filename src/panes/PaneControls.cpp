#include "panes/PaneControls.h"

#include "framework/UiSeam.h"
#include "ftp/FtpEngine.h"
#include "i18n/CTranslation.h"
#include "panes/FailureReport.h"
#include "panes/ReasonWords.h"
#include "panes/RowModel.h"
#include "panes/SizeText.h"
#include "panes/UserLocale.h"

namespace {

// The Browse button's caption while a new folder's name is typed; it is the
// same in every language.
const wchar_t* const kConfirmCaption = L"OK";

constexpr int kSizeColumn = 1;
constexpr int kModifiedColumn = 2;

int ImageOf(RowKind kind)
{
    switch (kind) {
    case RowKind::Parent: return kParentImage;
    case RowKind::Folder: return kFolderImage;
    default: return kFileImage;
    }
}

}  // namespace

std::wstring FailureMessage(const CTranslation& texts, const FailureReport& report, TextId failedHeading)
{
    return report.Message(texts.Text(failedHeading), texts.Text(TextId::kFoldersNotRead), ReasonWords(texts),
                          FillPlaceholder(texts.Text(TextId::kFolderLimitReached), std::to_wstring(kMaxTreeFolders)),
                          texts.Text(TextId::kBatchStopped));
}

PaneControls::PaneControls(const CTranslation& texts, const PaneControlIds& ids, TextId groupText)
    : m_texts(texts), m_ids(ids), m_groupText(groupText)
{
}

void PaneControls::Bind(HWND dialog)
{
    m_dialog = dialog;
    m_path.Attach(dialog, m_ids.path);
    m_browse.Attach(dialog, m_ids.browse);
    m_addFolder.Attach(dialog, m_ids.addFolder);
    m_remove.Attach(dialog, m_ids.remove);
    m_group.Attach(dialog, m_ids.group);
    m_list.Attach(dialog, m_ids.list);
}

void PaneControls::ApplyTexts(bool adding) const
{
    m_group.SetText(m_texts.Text(adding ? TextId::kNewFolderPrompt : m_groupText));
    m_browse.SetText(adding ? std::wstring(kConfirmCaption) : m_texts.Text(TextId::kBrowse));
    m_addFolder.SetText(m_texts.Text(TextId::kNewFolder));
    m_remove.SetText(m_texts.Text(TextId::kDelete));
}

void PaneControls::ShowAddFolderMode(bool adding) const
{
    const HWND focus = ::GetFocus();
    const bool focusHere = focus == m_path.Handle() || focus == m_addFolder.Handle() || focus == m_remove.Handle() ||
                           focus == m_list.Handle() || focus == m_browse.Handle() || !focus;
    m_list.Show(!adding);
    ApplyTexts(adding);
    m_addFolder.Show(!adding);
    m_remove.Show(!adding);
    // Typing goes into the name box at once; when the mode ends, back to the
    // list. WM_NEXTDLGCTL, so that the dialog manager selects the box's text
    // and keeps the default button right.
    if (adding)
        ::SendMessageW(m_dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(m_path.Handle()), TRUE);
    else if (focusHere)
        ::SendMessageW(m_dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(m_list.Handle()), TRUE);
}

void PaneControls::FillRows(std::vector<ListRow> rows)
{
    m_rows = std::move(rows);
    // With painting on, a list view repaints for every inserted row, which
    // makes a large folder take seconds instead of a fraction of one.
    m_list.SuspendRedraw();
    m_list.DeleteAll();
    // Only the names are set: cells never set are asked for (LVN_GETDISPINFOW)
    // when shown, which spares a message per cell, and a local time per row.
    for (std::size_t i = 0; i < m_rows.size(); ++i)
        m_list.InsertRow(static_cast<int>(i), m_rows[i].name, ImageOf(m_rows[i].kind), static_cast<LPARAM>(i));
    if (m_order.IsChosen())
        SortRows();
    m_list.ResumeRedraw();
}

void PaneControls::SortBy(int column)
{
    m_order.Click(column);
    if (!m_order.IsChosen())
        return;
    m_list.SetSortArrow(static_cast<int>(m_order.Column()), m_order.Descending());
    SortRows();
}

void PaneControls::SortRows() const
{
    const int mark = m_list.SelectionMark();
    const LPARAM markedRow = mark >= 0 ? m_list.Data(mark) : -1;
    m_list.SortRows(CompareRows, reinterpret_cast<LPARAM>(this));
    if (markedRow >= 0)
        m_list.SetSelectionMark(m_list.RowWithData(markedRow));
}

int CALLBACK PaneControls::CompareRows(LPARAM a, LPARAM b, LPARAM self)
{
    const PaneControls& controls = *reinterpret_cast<const PaneControls*>(self);
    const std::size_t first = static_cast<std::size_t>(a);
    const std::size_t second = static_cast<std::size_t>(b);
    if (first >= controls.m_rows.size() || second >= controls.m_rows.size())
        return 0;
    return controls.m_order.Compare(controls.m_rows[first], first, controls.m_rows[second], second,
                                    CompareFileNames);
}

bool PaneControls::FillCellText(NMLVDISPINFOW& info) const
{
    const int column = info.item.iSubItem;
    if ((column != kSizeColumn && column != kModifiedColumn) || !(info.item.mask & LVIF_TEXT) ||
        !info.item.pszText || info.item.cchTextMax <= 0)
        return false;
    const std::size_t index = static_cast<std::size_t>(m_list.Data(info.item.iItem));
    std::wstring text;
    if (index < m_rows.size()) {
        const ListRow& row = m_rows[index];
        if (column == kSizeColumn && row.kind == RowKind::File)
            text = FormatSizeText(row.size, m_texts.Text(SizeUnitText(row.size)));
        else if (column == kModifiedColumn && row.modified != 0)
            text = LocalTimeText(row.modified);
    }
    ::lstrcpynW(info.item.pszText, text.c_str(), info.item.cchTextMax);
    return true;
}

PaneRow PaneControls::RowAt(int row) const
{
    if (row < 0 || row >= m_list.Count())
        return {};
    const std::size_t index = static_cast<std::size_t>(m_list.Data(row));
    if (index >= m_rows.size())
        return {};
    return {m_rows[index].name, m_rows[index].kind};
}

std::optional<PaneRow> PaneControls::MarkedRow() const
{
    const int row = m_list.SelectionMark();
    if (row < 0 || row >= m_list.Count())
        return std::nullopt;
    return RowAt(row);
}

std::vector<PaneRow> PaneControls::SelectedRows() const
{
    std::vector<PaneRow> rows;
    for (int row : m_list.SelectedRows())
        rows.push_back(RowAt(row));
    return rows;
}

void PaneControls::SelectAllButParent() const
{
    const auto isEntry = [this](int row) {
        const std::size_t index = static_cast<std::size_t>(m_list.Data(row));
        return index < m_rows.size() && m_rows[index].kind != RowKind::Parent;
    };
    int first = -1;
    for (int row = 0; row < m_list.Count(); ++row) {
        const bool entry = isEntry(row);
        m_list.Select(row, entry);
        if (entry && first == -1)
            first = row;
    }
    // Delete and the transfer go by the mark: without one on a selected row
    // they would ask for a selection.
    const int mark = m_list.SelectionMark();
    if (first != -1 && (mark == -1 || !isEntry(mark)))
        m_list.SetSelectionMark(first);
}

void PaneControls::SelectOnly(const std::wstring& name) const
{
    for (int row = 0; row < m_list.Count(); ++row) {
        const bool found = m_list.CellText(row, 0) == name;
        m_list.Select(row, found);
        if (found) {
            m_list.SetSelectionMark(row);
            m_list.EnsureVisible(row);
        }
    }
}

bool PaneControls::CheckSelectionForDelete() const
{
    if (m_list.SelectionMark() != -1)
        return true;
    Ui().ShowMessage(m_dialog, m_texts.Text(TextId::kSelectToDelete), m_texts.Text(TextId::kMessageCaption), MB_OK);
    return false;
}
