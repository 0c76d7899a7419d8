#include "panes/PaneWindow.h"

#include "framework/UiSeam.h"
#include "i18n/CTranslation.h"
#include "i18n/LanguageFile.h"
#include "panes/PaneContextMenu.h"
#include "panes/PaneKeys.h"
#include "res/resource.h"

#include <windowsx.h>

#include <algorithm>

namespace {

// A list view in a dialog never sees Enter: the dialog manager turns it into
// the default button. Asking for it makes Enter a key of the list, which
// then reports it as LVN_KEYDOWN like every other key.
LRESULT CALLBACK WantEnter(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    if (message == WM_GETDLGCODE && lParam) {
        const MSG* key = reinterpret_cast<const MSG*>(lParam);
        if (key->message == WM_KEYDOWN && key->wParam == VK_RETURN)
            return ::DefSubclassProc(list, message, wParam, lParam) | DLGC_WANTMESSAGE;
    }
    return ::DefSubclassProc(list, message, wParam, lParam);
}

TextId RenameProblemText(RenameProblem problem)
{
    switch (problem) {
    case RenameProblem::kEmpty: return TextId::kNameEmpty;
    case RenameProblem::kForbiddenLocal: return TextId::kNameNotLocal;
    case RenameProblem::kForbiddenServer: return TextId::kNameNotOnServer;
    case RenameProblem::kExists: return TextId::kNameTaken;
    default: return TextId::kRenameFailed;
    }
}

}  // namespace

PaneWindow::PaneWindow(const CTranslation& texts, const PaneControlIds& ids, TextId groupText,
                       PaneControls::ParentBy parentBy)
    : m_texts(texts), m_controls(texts, ids, groupText), m_parentBy(parentBy)
{
}

void PaneWindow::Bind(HWND dialog)
{
    m_controls.Bind(dialog);
    // Binding again (after a change of language) only renews the subclass.
    ::SetWindowSubclass(m_controls.List().Handle(), WantEnter, 0, 0);
}

void PaneWindow::OnBrowse()
{
    if (InAddFolderMode())
        Commands().ConfirmAddFolder();
    else
        Browse();
}

void PaneWindow::OnDoubleClick()
{
    if (const std::optional<PaneRow> row = m_controls.MarkedRow(m_parentBy))
        Commands().Open(*row);
}

void PaneWindow::OnDelete()
{
    if (m_controls.CheckSelectionForDelete())
        Commands().Delete(m_controls.SelectedRows(m_parentBy));
}

bool PaneWindow::OnListNotify(NMHDR* header, LRESULT& result)
{
    switch (header->code) {
    case NM_DBLCLK:
        OnDoubleClick();
        result = 0;
        return true;
    case LVN_KEYDOWN:
        OnKey(reinterpret_cast<const NMLVKEYDOWN*>(header)->wVKey);
        return true;
    case LVN_COLUMNCLICK:
        m_controls.SortBy(reinterpret_cast<const NMLISTVIEW*>(header)->iSubItem);
        return true;
    case LVN_BEGINLABELEDITW:
        // TRUE keeps the edit from starting.
        result = CanRename(reinterpret_cast<const NMLVDISPINFOW*>(header)->item.iItem) ? FALSE : TRUE;
        return true;
    case LVN_ENDLABELEDITW:
        FinishRename(*reinterpret_cast<const NMLVDISPINFOW*>(header));
        // FALSE: the control keeps the old text; the refreshed rows show the new one.
        result = FALSE;
        return true;
    case LVN_GETDISPINFOW:
        return m_controls.FillCellText(*reinterpret_cast<NMLVDISPINFOW*>(header));
    default:
        return false;
    }
}

void PaneWindow::OnKey(WORD key)
{
    const KeyModifiers modifiers = {::GetKeyState(VK_CONTROL) < 0, ::GetKeyState(VK_SHIFT) < 0,
                                    ::GetKeyState(VK_MENU) < 0};
    switch (PaneKeyFor(key, modifiers)) {
    case PaneKey::kOpen: OnDoubleClick(); break;
    case PaneKey::kUp:
        if (Commands().ShowsFolder())
            Commands().GoUp();
        break;
    case PaneKey::kDelete: OnDelete(); break;
    case PaneKey::kRefresh:
        if (Commands().ShowsFolder())
            Commands().Refresh();
        break;
    case PaneKey::kSelectAll: m_controls.SelectAllButParent(); break;
    case PaneKey::kRename: StartRename(); break;
    case PaneKey::kNone: break;
    }
}

void PaneWindow::StartRename()
{
    const ListView& list = m_controls.List();
    const std::vector<int> selected = list.SelectedRows();
    int row = list.SelectionMark();
    if (std::find(selected.begin(), selected.end(), row) == selected.end())
        row = selected.size() == 1 ? selected.front() : -1;
    if (row != -1 && CanRename(row))
        list.EditLabel(row);
}

bool PaneWindow::CanRename(int row) const
{
    if (row < 0 || row >= m_controls.List().Count() || InAddFolderMode())
        return false;
    const RowKind kind = m_controls.RowAt(row, m_parentBy).kind;
    return kind == RowKind::File || kind == RowKind::Folder;
}

void PaneWindow::FinishRename(const NMLVDISPINFOW& info)
{
    // No text: the edit was cancelled (or, under Wine, left as it was or emptied).
    if (!info.item.pszText || !CanRename(info.item.iItem))
        return;
    const std::wstring newName = info.item.pszText;
    if (Commands().Rename(m_controls.RowAt(info.item.iItem, m_parentBy), newName))
        m_controls.SelectOnly(newName);
}

void PaneWindow::ReportRenameProblem(RenameProblem problem, const std::wstring& name, const std::wstring& reason)
{
    std::wstring message = FillPlaceholder(m_texts.Text(RenameProblemText(problem)), name);
    if (!reason.empty())
        message += L"\n" + reason;
    Ui().ShowMessage(m_controls.Dialog(), message, m_texts.Text(TextId::kMessageCaption), MB_OK | MB_ICONEXCLAMATION);
}

int PaneWindow::ChooseFromContextMenu(LPARAM position)
{
    if (InAddFolderMode())
        return 0;
    POINT at = {GET_X_LPARAM(position), GET_Y_LPARAM(position)};
    if (at.x == -1 && at.y == -1)
        at = BelowMarkedRow();
    std::vector<RowKind> kinds;
    for (const PaneRow& row : m_controls.SelectedRows(m_parentBy))
        kinds.push_back(row.kind);
    const ContextMenuItems items = ContextMenuFor(kinds, OpensFiles(), Commands().ShowsFolder());
    return ::ChooseFromContextMenu(m_controls.Dialog(), at, items, m_texts, TransferMenuText(),
                                   OpenMenuText(kinds.size() == 1 ? kinds.front() : RowKind::Unknown));
}

POINT PaneWindow::BelowMarkedRow() const
{
    const ListView& list = m_controls.List();
    RECT rect = {};
    rect.left = LVIR_LABEL;
    const int row = list.SelectionMark();
    if (row < 0 || !list.Send(LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&rect)))
        rect = {0, 0, 0, 0};
    POINT at = {rect.left, rect.bottom};
    ::ClientToScreen(list.Handle(), &at);
    return at;
}

void PaneWindow::RunListCommand(int id)
{
    switch (id) {
    case IDM_LIST_OPEN: {
        const std::vector<PaneRow> rows = m_controls.SelectedRows(m_parentBy);
        if (rows.size() == 1)
            Commands().Open(rows.front());
        break;
    }
    case IDM_LIST_RENAME: StartRename(); break;
    case IDM_LIST_DELETE: OnDelete(); break;
    case IDM_LIST_NEWFOLDER: OnAddFolder(); break;
    case IDM_LIST_REFRESH: Commands().Refresh(); break;
    default: break;
    }
}
