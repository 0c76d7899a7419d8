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

// Posted to the list when a refused name is to be typed again: the edit of
// the refused one is still being closed when the refusal is told.
constexpr UINT kRetypeName = WM_APP + 0x3A0;

// A list view in a dialog never sees Enter: the dialog manager turns it into
// the default button. Asking for it makes Enter a key of the list, which
// then reports it as LVN_KEYDOWN like every other key.
LRESULT CALLBACK WantEnter(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR pane)
{
    if (message == kRetypeName) {
        reinterpret_cast<PaneWindow*>(pane)->RetypeName();
        return 0;
    }
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
    case RenameProblem::kNotSendable: return TextId::kRenameNotSendable;
    default: return TextId::kRenameFailed;
    }
}

}  // namespace

PaneWindow::PaneWindow(const CTranslation& texts, const PaneControlIds& ids, TextId groupText)
    : m_texts(texts), m_controls(texts, ids, groupText)
{
}

void PaneWindow::Bind(HWND dialog)
{
    m_controls.Bind(dialog);
    // Binding again (after a change of language) only renews the subclass.
    ::SetWindowSubclass(m_controls.List().Handle(), WantEnter, 0, reinterpret_cast<DWORD_PTR>(this));
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
    if (const std::optional<PaneRow> row = m_controls.MarkedRow())
        Commands().Open(*row);
}

void PaneWindow::OnDelete()
{
    if (!m_controls.CheckSelectionForDelete())
        return;
    const std::vector<PaneRow> rows = m_controls.SelectedRows();
    if (Commands().DeletesForGood(rows) && !ConfirmDeleteForGood(rows))
        return;
    Commands().Delete(rows);
}

bool PaneWindow::ConfirmDeleteForGood(const std::vector<PaneRow>& rows) const
{
    std::vector<std::wstring> names;
    for (const PaneRow& row : rows)
        if (row.kind != RowKind::Parent)
            names.push_back(row.name);
    if (names.empty())
        return true;
    const std::wstring question =
        names.size() == 1 ? FillPlaceholder(m_texts.Text(TextId::kDeleteOneForGood), names.front())
                          : FillPlaceholder(m_texts.Text(TextId::kDeleteSomeForGood), std::to_wstring(names.size()));
    return Ui().ShowMessage(m_controls.Dialog(), question, m_texts.Text(TextId::kMessageCaption),
                            MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}

void PaneWindow::Tell(const std::wstring& message, UINT icon) const
{
    Ui().ShowMessage(m_controls.Dialog(), message, m_texts.Text(TextId::kMessageCaption), MB_OK | icon);
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
        // The list selects the edit's whole text after this notification.
        if (!result && m_retype && !m_retype->name.empty())
            ::SetWindowTextW(m_controls.List().EditControl(), m_retype->name.c_str());
        m_retype.reset();
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
    const RowKind kind = m_controls.RowAt(row).kind;
    return kind == RowKind::File || kind == RowKind::Folder;
}

void PaneWindow::FinishRename(const NMLVDISPINFOW& info)
{
    if (!CanRename(info.item.iItem))
        return;
    std::wstring newName;
    if (info.item.pszText) {
        newName = info.item.pszText;
    } else {
        // No text: the edit was cancelled, or, under Wine, the name was left
        // as it was or emptied. The edit still holds what was typed; Esc is
        // down while it cancels.
        const HWND edit = m_controls.List().EditControl();
        if (!edit || ::GetKeyState(VK_ESCAPE) < 0 || ::GetWindowTextLengthW(edit) != 0)
            return;
    }
    m_retype.reset();
    m_renameRow = info.item.iItem;
    m_inRename = true;
    const bool renamed = Commands().Rename(m_controls.RowAt(info.item.iItem), newName);
    m_inRename = false;
    if (renamed) {
        m_controls.SelectOnly(newName);
    } else if (m_retype) {
        m_retype->row = info.item.iItem;
        ::PostMessageW(m_controls.List().Handle(), kRetypeName, 0, 0);
    }
}

void PaneWindow::RetypeName()
{
    if (m_retype && m_retype->row < m_controls.List().Count())
        m_controls.List().EditLabel(m_retype->row);
    else
        m_retype.reset();
}

void PaneWindow::ReportRenameProblem(RenameProblem problem, const std::wstring& name, const std::wstring& reason)
{
    // A name refused before anything was tried is offered again to be
    // corrected; a failure names the entry, not a typed name.
    if (problem != RenameProblem::kFailed) {
        m_retype = Retype{m_renameRow, name};
        // The FTP side's answer comes after the edit has ended.
        if (!m_inRename)
            ::PostMessageW(m_controls.List().Handle(), kRetypeName, 0, 0);
    }
    std::wstring message = FillPlaceholder(m_texts.Text(RenameProblemText(problem)), name);
    if (!reason.empty())
        message += L"\n" + reason;
    Tell(message, MB_ICONEXCLAMATION);
}

int PaneWindow::ChooseFromContextMenu(LPARAM position)
{
    if (InAddFolderMode())
        return 0;
    POINT at = {GET_X_LPARAM(position), GET_Y_LPARAM(position)};
    if (at.x == -1 && at.y == -1)
        at = BelowMarkedRow();
    std::vector<RowKind> kinds;
    for (const PaneRow& row : m_controls.SelectedRows())
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
        const std::vector<PaneRow> rows = m_controls.SelectedRows();
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
