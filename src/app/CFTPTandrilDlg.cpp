#include "app/CFTPTandrilDlg.h"

#include "app/CAboutDlg.h"
#include "app/ListColumns.h"
#include "app/MainLayout.h"
#include "framework/DpiScale.h"
#include "framework/FileError.h"
#include "framework/SystemMessage.h"
#include "framework/UiSeam.h"
#include "framework/WindowDpi.h"
#include "ftppane/StoredProfile.h"
#include "i18n/CLanguageSelection.h"
#include "i18n/LanguageFile.h"
#include "res/resource.h"
#include "settings/SettingsLines.h"
#include "settings/UserSettingsCopy.h"

#include <shlobj.h>
#include <windowsx.h>

CFTPTandrilDlg::CFTPTandrilDlg(SettingsFile& settings, FtpWork& work, LocalFiles& files)
    : Dialog(IDD_FTPTANDRIL_DIALOG),
      m_icon(static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME),
                                             IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED))),
      m_settings(settings),
      m_work(work),
      m_translation(settings),
      m_savedServers(settings, m_protector),
      m_localPane(m_translation, files),
      m_ftpPane(m_translation, work, m_profile, m_ftpListing, m_savedServers),
      m_transferCommand(m_translation, work, files, m_profile, m_ftpListing, m_localPane, m_ftpPane),
      m_drag(m_transferCommand),
      m_explorerDrop(m_translation, work, m_profile, m_transferCommand),
      m_fileOpener(m_translation, files, m_profile, m_transferCommand, FtpFileOpener::CopiesRoot())
{
    m_ftpPane.SetFileOpener([this](const PaneRow& row) { m_fileOpener.Open(row); });
    m_work.SetBusyListener([this](bool busy, FtpWorkKind kind) { OnFtpBusy(busy, kind); });
}

CFTPTandrilDlg::~CFTPTandrilDlg()
{
    m_work.SetBusyListener({});
    m_work.Stop();
}

BOOL CFTPTandrilDlg::InitMainWindow()
{
    BindControls();
    if (m_firstRun)
        AddAboutToSystemMenu();
    ::SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_icon));
    ::SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_icon));
    m_settings.ResolveSettingsPath();
    m_translation.Load();
    m_savedServers.Load();
    const bool firstRun = m_firstRun;
    if (m_firstRun) {
        m_dpi = WindowDpi(Handle());
        m_drag.SetDpi(m_dpi);
        m_statusRow.SetDpi(m_dpi);
        KeepOwnLayoutOnDpiChange(Handle());
        CreateImageListAndColumns();
        m_ftpList.ShowTextWhenEmpty();
        m_explorerDrop.Register(Handle());
        m_firstRun = false;
    }
    // Again after a change of language: the size units may be wider.
    for (const ListView* list : {&m_localList, &m_ftpList})
        FitListColumns(m_translation, m_dpi, *list);
    if (firstRun)
        OpenAtDefaultSize();
    RestoreProfile();
    RestoreLocalFolder(firstRun);
    ApplyTexts();
    m_transferCommand.SetUploadDirection();
    // The start-up listing runs already: the window shows it busy.
    if (m_work.IsBusy())
        OnFtpBusy(true, FtpWorkKind::kListing);
    ShowModeSwitch();
    return TRUE;
}

void CFTPTandrilDlg::BindControls()
{
    const HWND dialog = Handle();
    m_localPath.Attach(dialog, IDC_LOCAL_PATH);
    m_localList.Attach(dialog, IDC_LOCAL_LIST);
    m_ftpList.Attach(dialog, IDC_FTP_LIST);
    m_ftpPath.Attach(dialog, IDC_FTP_PATH);
    m_localPane.Bind(dialog);
    m_ftpPane.Bind(dialog);
    m_transferCommand.Bind(dialog);
    m_drag.Bind(dialog);
    m_statusRow.Bind(dialog);
    m_fileOpener.Bind(dialog);
    m_bound = true;
}

void CFTPTandrilDlg::AddAboutToSystemMenu()
{
    wchar_t text[256] = {};
    if (::LoadStringW(::GetModuleHandleW(nullptr), IDS_ABOUTBOX, text, 256) <= 0)
        return;
    HMENU systemMenu = ::GetSystemMenu(Handle(), FALSE);
    if (!systemMenu)
        return;
    ::AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(systemMenu, MF_STRING, IDM_ABOUTBOX, text);
}

void CFTPTandrilDlg::CreateImageListAndColumns()
{
    m_rowImages.Build(m_dpi, m_localList, m_ftpList);
    for (const ListView* list : {&m_localList, &m_ftpList}) {
        list->InsertColumn(0, m_translation.Text(TextId::kNameColumn));
        list->InsertColumn(1, m_translation.Text(TextId::kSizeColumn));
        list->InsertColumn(2, m_translation.Text(TextId::kModifiedColumn));
        list->Send(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT);
    }
}

void CFTPTandrilDlg::RestoreProfile()
{
    StoredProfile stored;
    stored.ftpData = m_settings.ReadSetting(kFtpDataKey);
    if (!IsStoredValue(stored.ftpData))
        return;
    stored.password = m_settings.ReadSetting(kPasswordKey);
    stored.passive = m_settings.ReadSetting(kPassiveKey);
    stored.connections = m_settings.ReadSetting(kConnectionsKey);
    const std::optional<DecodedProfile> decoded = DecodeProfile(stored, m_protector);
    m_profile = decoded ? decoded->profile : ServerProfile();
    m_unreadablePassword = decoded ? decoded->unreadable : UnreadablePassword();
    // Said once a run: a change of language restores the profile again.
    if (decoded && decoded->passwordUnreadable && !m_toldPasswordUnreadable) {
        m_toldPasswordUnreadable = true;
        Tell(m_translation.Text(TextId::kPasswordUnreadable));
    }
    m_ftpPane.Refresh();
}

void CFTPTandrilDlg::RestoreLocalFolder(bool firstRun)
{
    const std::wstring folder = m_settings.ReadSetting(L"Local Folder Data");
    if (IsStoredValue(folder)) {
        m_localPane.FillLocalList(folder);
        return;
    }
    // A fresh settings file (nothing stored yet) shows the user's documents
    // rather than an empty pane.
    wchar_t documents[MAX_PATH] = {};
    if (firstRun && !IsStoredValue(m_settings.ReadSetting(kFtpDataKey)) &&
        SUCCEEDED(::SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, documents)))
        m_localPane.FillLocalList(documents);
}

void CFTPTandrilDlg::ApplyTexts()
{
    m_menu.Apply(Handle(), m_translation, m_dpi);
    for (const ListView* list : {&m_localList, &m_ftpList}) {
        list->SetColumnHeading(0, m_translation.Text(TextId::kNameColumn));
        list->SetColumnHeading(1, m_translation.Text(TextId::kSizeColumn));
        list->SetColumnHeading(2, m_translation.Text(TextId::kModifiedColumn));
    }
    // Drawn in the FTP list while it has no rows: before any server was entered.
    m_ftpList.SetText(m_translation.Text(TextId::kFtpPaneHint));
    m_localPane.ApplyTexts();
    m_ftpPane.ApplyTexts();
    m_tooltips.Create(Handle(), m_translation);
    RebuildServersMenu();
}

bool CFTPTandrilDlg::OnCommand(WORD id, WORD code, HWND)
{
    // While FTP work runs the transfer button reads Stop, and it and Esc
    // stop the work. A change of language would start the FTP pane anew
    // under it; closing waits for it to stop (WM_CLOSE).
    if (m_work.IsBusy()) {
        if (id == IDCANCEL || (id == IDC_TRANSFER && code == BN_CLICKED)) {
            m_work.Stop();
            return true;
        }
        if (id == IDM_EXIT) {
            ::PostMessageW(Handle(), WM_CLOSE, 0, 0);
            return true;
        }
        if (id == IDM_LANGUAGE || id == IDC_TRANSFER)
            return true;
    }
    if (id == IDOK) {
        OnEnter();
    } else if (id == IDCANCEL) {
        OnEscape();
    } else if (RouteCommand(id)) {
        // Only after a command: notifications such as a field's EN_CHANGE
        // arrive in the middle of one.
        ShowModeSwitch();
    } else {
        return false;
    }
    KeepTransferOffWhileNaming();
    return true;
}

// Esc ends the mode the user is in and otherwise does nothing: the program
// ends only through the close box, Alt+F4 and Exit, which save.
void CFTPTandrilDlg::OnEscape()
{
    for (const ListView* list : {&m_localList, &m_ftpList})
        if (list->EditControl()) {
            list->Send(LVM_CANCELEDITLABEL);
            return;
        }
    PaneWindow* const panes[] = {&m_localPane, &m_ftpPane};
    for (PaneWindow* pane : panes)
        if (pane->InAddFolderMode() && pane->HasPathFocus()) {
            pane->CancelAddFolder();
            return;
        }
    for (PaneWindow* pane : panes)
        pane->CancelAddFolder();
}

// While a new folder's name is typed, the path box holds the name instead of
// the folder: no transfer then. Only what was switched off here is switched
// on again; the listing switches the button for its own time.
void CFTPTandrilDlg::KeepTransferOffWhileNaming()
{
    // While FTP work runs the button is Stop, which must stay reachable.
    if (m_work.IsBusy())
        return;
    const bool naming = m_localPane.InAddFolderMode() || m_ftpPane.InAddFolderMode();
    const Control transfer(Item(IDC_TRANSFER));
    if (naming && transfer.IsEnabled()) {
        transfer.Enable(false);
        m_transferOffForNaming = true;
    } else if (!naming && m_transferOffForNaming) {
        transfer.Enable(true);
        m_transferOffForNaming = false;
    }
}

void CFTPTandrilDlg::OnFtpBusy(bool busy, FtpWorkKind kind)
{
    for (int id : {IDC_FTP_BROWSE, IDC_FTP_ADDFOLDER, IDC_FTP_DELETE})
        ::EnableWindow(Item(id), !busy);
    if (!busy) {
        m_transferCommand.ShowDirection();
        m_transferOffForNaming = false;
        KeepTransferOffWhileNaming();
        // An outcome the work left there stays; only the busy text goes.
        Control status(Item(IDC_STATUS));
        if (status.Text() == m_translation.Text(StatusOfWork(kind)))
            status.SetText(L"");
        m_fileOpener.AfterFtpWork();
        ShowModeSwitch();
        if (m_closeAfterWork)
            ::PostMessageW(Handle(), WM_CLOSE, 0, 0);
        return;
    }
    for (int id : {IDC_TO_LOCAL, IDC_TO_FTP})
        ::EnableWindow(Item(id), FALSE);
    Control transfer(Item(IDC_TRANSFER));
    transfer.SetText(m_translation.Text(TextId::kStop));
    transfer.Enable(true);
    Control(Item(IDC_STATUS)).SetText(m_translation.Text(StatusOfWork(kind)));
}

TextId CFTPTandrilDlg::StatusOfWork(FtpWorkKind kind)
{
    switch (kind) {
    case FtpWorkKind::kListing: return TextId::kReadingFtpFolder;
    case FtpWorkKind::kCreating: return TextId::kCreatingFolder;
    case FtpWorkKind::kDeleting: return TextId::kDeleting;
    case FtpWorkKind::kRenaming: return TextId::kRenaming;
    case FtpWorkKind::kTransfer: return TextId::kTransferring;
    case FtpWorkKind::kCheck: return TextId::kCheckingConnection;
    }
    return TextId::kReadingFtpFolder;
}

bool CFTPTandrilDlg::BlockedWhileBusy(const NMHDR& header) const
{
    if (!m_work.IsBusy())
        return false;
    // A drag from either list is a transfer.
    if (header.code == LVN_BEGINDRAG)
        return true;
    if (header.idFrom != IDC_FTP_LIST)
        return false;
    return header.code == NM_DBLCLK || header.code == LVN_KEYDOWN || header.code == LVN_BEGINLABELEDITW;
}

void CFTPTandrilDlg::ShowModeSwitch()
{
    if (m_work.IsBusy())
        return;
    if (const std::optional<FtpMode> mode = m_work.TakeModeSwitch())
        Control(Item(IDC_STATUS))
            .SetText(m_translation.Text(*mode == FtpMode::kActive ? TextId::kSwitchedToActive
                                                                  : TextId::kSwitchedToPassive));
}

// Enter never ends the program: typed into a path box it confirms what was
// typed there, a new folder's name or (locally) a folder to show.
void CFTPTandrilDlg::OnEnter()
{
    const HWND focus = ::GetFocus();
    if (focus == m_localPath.Handle()) {
        if (m_localPane.InAddFolderMode())
            m_localPane.OnBrowse();
        else
            m_localPane.ShowTypedFolder();
    } else if (focus == m_ftpPath.Handle() && m_ftpPane.InAddFolderMode() && !m_work.IsBusy()) {
        m_ftpPane.OnBrowse();
    }
}

bool CFTPTandrilDlg::RouteCommand(WORD id)
{
    switch (id) {
    case IDC_LOCAL_BROWSE: m_localPane.OnBrowse(); return true;
    case IDC_LOCAL_ADDFOLDER: m_localPane.OnAddFolder(); return true;
    case IDC_LOCAL_DELETE: m_localPane.OnDelete(); return true;
    case IDC_FTP_BROWSE:
        m_ftpPane.OnBrowse();
        RebuildServersMenu();
        return true;
    case IDC_FTP_ADDFOLDER: m_ftpPane.OnAddFolder(); return true;
    case IDC_FTP_DELETE: m_ftpPane.OnDelete(); return true;
    case IDC_TO_LOCAL: m_transferCommand.SetDownloadDirection(); return true;
    case IDC_TO_FTP: m_transferCommand.SetUploadDirection(); return true;
    case IDC_TRANSFER: m_transferCommand.TransferSelection(); return true;
    case IDM_LANGUAGE: OnLanguageSelection(); return true;
    case IDM_EXIT:
        SaveState();
        End(IDCANCEL);
        return true;
    case IDM_HELPFILE: OpenHelpFile(); return true;
    case IDM_WEBSITE: OpenHomepage(); return true;
    case IDM_ABOUT: ShowAbout(); return true;
    default: return RouteServersCommand(id);
    }
}

bool CFTPTandrilDlg::RouteServersCommand(WORD id)
{
    if (id == IDM_MANAGE_SERVERS)
        m_ftpPane.EditLiveProfile();
    else if (id >= IDM_SAVED_SERVER_FIRST && id <= IDM_SAVED_SERVER_LAST)
        UseSavedServer(id - IDM_SAVED_SERVER_FIRST);
    else
        return false;
    RebuildServersMenu();
    return true;
}

// A saved password that cannot be read here is asked for in the profile
// dialog, on the saved server's values.
void CFTPTandrilDlg::UseSavedServer(size_t index)
{
    const std::vector<SavedServer>& servers = m_savedServers.List().Servers();
    if (index >= servers.size())
        return;
    const SavedServer server = servers[index];
    if (!server.passwordUnreadable) {
        m_ftpPane.UseProfile(server.profile);
        return;
    }
    Tell(FillPlaceholder(m_translation.Text(TextId::kSavedPasswordUnreadable), server.name));
    m_ftpPane.EditProfile(server.profile, server.name);
}

void CFTPTandrilDlg::RebuildServersMenu()
{
    std::vector<std::wstring> names;
    for (const SavedServer& server : m_savedServers.List().Servers())
        names.push_back(server.name);
    m_menu.ShowServers(Handle(), m_translation, names, m_savedServers.List().IndexInUse(m_profile));
}

PaneWindow* CFTPTandrilDlg::PaneOfList(UINT_PTR id)
{
    if (id == IDC_LOCAL_LIST)
        return &m_localPane;
    if (id == IDC_FTP_LIST)
        return &m_ftpPane;
    return nullptr;
}

bool CFTPTandrilDlg::OnNotify(NMHDR* header, LRESULT& result)
{
    PaneWindow* pane = PaneOfList(header->idFrom);
    if (!pane)
        return false;
    if (BlockedWhileBusy(*header)) {
        // TRUE keeps an edit from starting.
        result = header->code == LVN_BEGINLABELEDITW ? TRUE : 0;
        return true;
    }
    if (header->code == LVN_BEGINDRAG) {
        m_drag.Begin(*reinterpret_cast<NMLISTVIEW*>(header));
        result = 0;
        return true;
    }
    const bool handled = pane->OnListNotify(header, result);
    // A double-click or a key may have listed a folder in the other mode.
    if (header->code == NM_DBLCLK || header->code == LVN_KEYDOWN)
        ShowModeSwitch();
    return handled;
}

bool CFTPTandrilDlg::OnContextMenu(HWND control, LPARAM position)
{
    PaneWindow* pane = PaneOfList(static_cast<UINT_PTR>(::GetDlgCtrlID(control)));
    if (!pane)
        return false;
    if (pane == &m_ftpPane && m_work.IsBusy())
        return true;
    const int command = pane->ChooseFromContextMenu(position);
    if (command != IDM_LIST_TRANSFER) {
        pane->RunListCommand(command);
        KeepTransferOffWhileNaming();
        return true;
    }
    if (m_work.IsBusy())
        return true;
    if (pane == &m_localPane)
        m_transferCommand.SetUploadDirection();
    else
        m_transferCommand.SetDownloadDirection();
    m_transferCommand.TransferSelection();
    return true;
}

bool CFTPTandrilDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result)
{
    switch (message) {
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == IDM_ABOUTBOX) {
            ShowAbout();
            return true;
        }
        return false;
    case WM_PAINT:
        if (!::IsIconic(Handle()))
            return false;
        PaintMinimised();
        return true;
    case WM_CONTEXTMENU:
        return OnContextMenu(reinterpret_cast<HWND>(wParam), lParam);
    case WM_INITMENUPOPUP:
        m_menu.EnableServers(Handle(), !m_work.IsBusy());
        return false;
    case WM_QUERYDRAGICON:
        result = reinterpret_cast<INT_PTR>(m_icon);
        return true;
    case WM_SIZE:
        // The first size message comes before the controls are bound:
        // OpenAtDefaultSize lays them out once they are.
        if (m_bound)
            LayOut(LOWORD(lParam), HIWORD(lParam));
        return false;
    case WM_GETMINMAXINFO:
        KeepMinimumSize(*reinterpret_cast<MINMAXINFO*>(lParam));
        return false;
    case WM_DPICHANGED:
        OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        // Left to the dialog manager as well: it gives the controls fonts for the
        // new DPI (KeepOwnLayoutOnDpiChange keeps it from moving them).
        return false;
    case WM_CLOSE:
        if (m_work.IsBusy()) {
            // The work stops (or is given up a second later) and the window
            // closes then.
            m_closeAfterWork = true;
            m_transferCommand.SetClosing();
            m_work.Stop();
            return true;
        }
        SaveState();
        End(IDCANCEL);
        return true;
    case WM_MOUSEMOVE:
        if (m_drag.IsDragging())
            m_drag.MouseMove({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return false;
    case WM_LBUTTONUP:
        if (m_drag.IsDragging()) {
            m_drag.ButtonUp({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            ShowModeSwitch();
        }
        return false;
    case WM_CAPTURECHANGED:
        if (m_drag.IsDragging() && reinterpret_cast<HWND>(lParam) != Handle())
            m_drag.CaptureLost();
        return false;
    case WM_DROPFILES:
        m_explorerDrop.OnDropFiles(reinterpret_cast<HDROP>(wParam));
        return true;
    case WM_DESTROY:
        m_explorerDrop.Revoke();
        return false;
    case WM_HELP:
        OpenHelpFile();
        result = TRUE;
        return true;
    default:
        return false;
    }
}

void CFTPTandrilDlg::LayOut(int width, int height)
{
    const MainLayout layout =
        ComputeMainLayout(width, height, m_dpi, m_localList.ColumnWidth(1) + m_localList.ColumnWidth(2));
    // All moves at once, then one repaint of the whole client area: moved one
    // by one, each control repaints over parts of the others' old places, and
    // the group boxes (drawn by the dialog behind the controls) and the lists
    // kept stale strips after a few resizes.
    HDWP moves = ::BeginDeferWindowPos(static_cast<int>(layout.controls.size()));
    for (const ControlPlacement& c : layout.controls)
        if (moves)
            moves = ::DeferWindowPos(moves, Item(c.id), nullptr, c.x, c.y, c.width, c.height,
                                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
    if (!moves || !::EndDeferWindowPos(moves))
        for (const ControlPlacement& c : layout.controls)
            ::MoveWindow(Item(c.id), c.x, c.y, c.width, c.height, FALSE);
    m_localList.SetColumnWidth(0, layout.nameColumnWidth & 0xFFFF);
    m_ftpList.SetColumnWidth(0, layout.nameColumnWidth & 0xFFFF);
    ::RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

// The template's window is too narrow for names beside the other columns: the
// window opens wider, as far as the work area of its screen allows, centred
// in it, and laid out by the pixel rules from the start.
void CFTPTandrilDlg::OpenAtDefaultSize()
{
    RECT window = {};
    RECT client = {};
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    if (!::GetWindowRect(Handle(), &window) || !::GetClientRect(Handle(), &client) ||
        !::GetMonitorInfoW(::MonitorFromWindow(Handle(), MONITOR_DEFAULTTONEAREST), &monitor))
        return;
    // The frame, caption and menu bar around the client.
    const int frameWidth = window.right - window.left - client.right;
    const int frameHeight = window.bottom - window.top - client.bottom;
    const RECT& work = monitor.rcWork;
    const ClientSize size =
        DefaultClientSize({client.right, client.bottom},
                          {work.right - work.left - frameWidth, work.bottom - work.top - frameHeight},
                          m_localList.ColumnWidth(1) + m_localList.ColumnWidth(2), m_dpi);
    const int width = size.width + frameWidth;
    const int height = size.height + frameHeight;
    ::SetWindowPos(Handle(), nullptr, work.left + (work.right - work.left - width) / 2,
                   work.top + (work.bottom - work.top - height) / 2, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    // The size message has laid the controls out only if the size changed.
    ::GetClientRect(Handle(), &client);
    LayOut(client.right, client.bottom);
}

void CFTPTandrilDlg::KeepMinimumSize(MINMAXINFO& limits) const
{
    // The frame, caption and menu bar around the client, as they are now.
    RECT window = {};
    RECT client = {};
    if (!m_bound || ::IsIconic(Handle()) || !::GetWindowRect(Handle(), &window) || !::GetClientRect(Handle(), &client))
        return;
    const ClientSize minimum = MinimumClientSize(m_dpi);
    limits.ptMinTrackSize.x = minimum.width + (window.right - window.left) - client.right;
    limits.ptMinTrackSize.y = minimum.height + (window.bottom - window.top) - client.bottom;
}

void CFTPTandrilDlg::OnDpiChanged(int dpi, const RECT& suggested)
{
    if (!m_bound || dpi <= 0)
        return;
    const int previous = m_dpi;
    m_dpi = dpi;
    m_drag.SetDpi(dpi);
    m_statusRow.SetDpi(dpi);
    m_rowImages.Build(dpi, m_localList, m_ftpList);
    m_menu.Apply(Handle(), m_translation, dpi);
    // Column 0 follows the layout; the others keep the width they had, at the
    // new scale.
    for (const ListView* list : {&m_localList, &m_ftpList})
        for (int column = 1; column < list->ColumnCount(); ++column)
            list->SetColumnWidth(column, RescaleForDpi(list->ColumnWidth(column), previous, dpi));
    ::SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                   suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    // The size message has laid the controls out only if the size changed.
    RECT client = {};
    ::GetClientRect(Handle(), &client);
    LayOut(client.right, client.bottom);
}

void CFTPTandrilDlg::PaintMinimised()
{
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(Handle(), &paint);
    ::SendMessageW(Handle(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client;
    ::GetClientRect(Handle(), &client);
    const int x = (client.right - client.left - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - client.top - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    ::DrawIcon(dc, x, y, m_icon);
    ::EndPaint(Handle(), &paint);
}

void CFTPTandrilDlg::SaveState()
{
    const std::wstring localFolder = m_localPane.CurrentFolder();
    if (!localFolder.empty()) {
        if (!IsStorableValue(localFolder))
            Tell(FillPlaceholder(m_translation.Text(TextId::kValueNotStorable), m_translation.Text(TextId::kLocalGroup)));
        else if (!StoreSettings({{L"Local Folder Data", localFolder}}))
            return;
    }
    if (m_ftpPath.Text().empty())
        return;
    // The profile and its password are stored together or not at all, so the
    // file never pairs one server with another server's password.
    const EncodedProfile encoded = EncodeProfile(m_profile, m_protector, m_unreadablePassword);
    if (encoded.refused == RefusedPart::kPassword) {
        Tell(m_translation.Text(TextId::kPasswordNotProtected));
        return;
    }
    if (encoded.refused != RefusedPart::kNone) {
        Tell(FillPlaceholder(m_translation.Text(TextId::kProfileNotStored), m_translation.Text(TextId::kProfileSetting)));
        return;
    }
    // Settings copies of earlier versions lack "FTP Passive" and "FTP
    // Connections": they are added.
    StoreSettings({{kFtpDataKey, encoded.values.ftpData},
                   {kPasswordKey, encoded.values.password},
                   {kPassiveKey, encoded.values.passive},
                   {kConnectionsKey, encoded.values.connections}},
                  true);
}

// A failed write is reported, and the window still closes: it must always be
// possible to end the program. A file that cannot be read or rewritten ends
// the saving, so the user is told once.
bool CFTPTandrilDlg::StoreSettings(const std::vector<std::pair<std::wstring, std::wstring>>& values, bool addMissing)
{
    std::wstring problem;
    try {
        if (m_settings.WriteSettings(values, addMissing))
            return true;
        problem = FillPlaceholder(m_translation.Text(TextId::kSettingsNotWritten), m_settings.SettingsPath());
    } catch (const FileError& error) {
        problem = DescribeFileError(error);
    }
    Tell(problem);
    return false;
}

void CFTPTandrilDlg::Tell(const std::wstring& text)
{
    Ui().ShowMessage(Handle(), text, m_translation.Text(TextId::kMessageCaption), MB_OK);
}

void CFTPTandrilDlg::OnLanguageSelection()
{
    const std::wstring stored = m_settings.ReadSetting(L"Language");
    CLanguageSelection dialog(m_settings);
    dialog.SetCurrentCode(stored);
    dialog.SetGroupText(m_translation.Text(TextId::kLanguageGroup));
    Ui().RunModal(dialog, Handle());
    if (dialog.CurrentCode() == stored)
        return;
    if (!StoreSettings({{L"Language", dialog.CurrentCode()}}))
        return;
    InitMainWindow();
}

void CFTPTandrilDlg::ShowAbout()
{
    CAboutDlg about;
    Ui().RunModal(about, Handle());
}

void CFTPTandrilDlg::OpenHelpFile()
{
    Ui().ShellOpen(ProgramFolder() + L"\\help.chm");
}

void CFTPTandrilDlg::OpenHomepage()
{
    const std::wstring homepage = m_settings.ReadSetting(L"Homepage");
    if (!homepage.empty())
        Ui().ShellOpen(homepage);
}
