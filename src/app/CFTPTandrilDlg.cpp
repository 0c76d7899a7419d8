#include "app/CFTPTandrilDlg.h"

#include "app/CAboutDlg.h"
#include "app/MainLayout.h"
#include "framework/FileError.h"
#include "framework/LineFile.h"
#include "framework/UiSeam.h"
#include "ftppane/StoredProfile.h"
#include "i18n/CLanguageSelection.h"
#include "i18n/LanguageFile.h"
#include "res/resource.h"
#include "settings/UserSettingsCopy.h"

#include <windowsx.h>

CFTPTandrilDlg::CFTPTandrilDlg(SettingsFile& settings, FtpEngine& engine, LocalFiles& files)
    : Dialog(IDD_FTPTANDRIL_DIALOG),
      m_icon(static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME),
                                             IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED))),
      m_settings(settings),
      m_engine(engine),
      m_translation(settings),
      m_localPane(m_translation, files),
      m_ftpPane(m_translation, engine, m_profile, m_ftpListing),
      m_transferCommand(m_translation, engine, files, m_profile, m_ftpListing, m_localPane, m_ftpPane),
      m_drag(m_transferCommand)
{
}

CFTPTandrilDlg::~CFTPTandrilDlg()
{
    if (m_images)
        ImageList_Destroy(m_images);
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
    if (m_firstRun) {
        CreateImageListAndColumns();
        m_firstRun = false;
    }
    RestoreProfile();
    RestoreLocalFolder();
    ApplyTexts();
    m_transferCommand.SetUploadDirection();
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
    m_images = ImageList_Create(16, 16, ILC_COLOR24, 2, 0);
    // Without a mask the icons are drawn onto the list's background colour as
    // they are added; otherwise their transparent corners would turn black.
    ImageList_SetBkColor(m_images, ::GetSysColor(COLOR_WINDOW));
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    for (int icon : {IDI_FILE, IDI_FOLDER, IDI_PARENT}) {
        HICON image = static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(icon), IMAGE_ICON, 16, 16, 0));
        ImageList_AddIcon(m_images, image);
        ::DestroyIcon(image);
    }
    for (const ListView* list : {&m_localList, &m_ftpList}) {
        list->InsertColumn(0, m_translation.Text(TextId::kNameColumn));
        list->InsertColumn(1, m_translation.Text(TextId::kSizeColumn));
        list->SetColumnWidth(0, 150);
        list->SetColumnWidth(1, 100);
        list->Send(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT);
        list->Send(LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(m_images));
        list->Send(LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(m_images));
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
    m_profile = DecodeProfile(stored).value_or(ServerProfile());
    m_ftpPane.Refresh();
}

void CFTPTandrilDlg::RestoreLocalFolder()
{
    const std::wstring folder = m_settings.ReadSetting(L"Local Folder Data");
    if (IsStoredValue(folder))
        m_localPane.FillLocalList(folder);
}

void CFTPTandrilDlg::ApplyTexts()
{
    m_menu.Apply(Handle(), m_translation);
    m_localPane.ApplyTexts();
    m_ftpPane.ApplyTexts();
    m_tooltips.Create(Handle(), m_translation);
}

bool CFTPTandrilDlg::OnCommand(WORD id, WORD code, HWND control)
{
    // While a batch runs (its uploads let messages through) every command is
    // ignored, Enter and Esc too: ending the dialog would pull the window away
    // from under the batch. Closing it is the one way out, under WM_CLOSE.
    if (m_transferCommand.IsBusy())
        return true;
    if (id == IDOK || id == IDCANCEL)
        return Dialog::OnCommand(id, code, control);
    // Only after a command: notifications such as a field's EN_CHANGE arrive
    // in the middle of one.
    const bool handled = RouteCommand(id);
    if (handled)
        ShowModeSwitch();
    return handled;
}

void CFTPTandrilDlg::ShowModeSwitch()
{
    if (m_transferCommand.IsBusy())
        return;
    if (const std::optional<FtpMode> mode = m_engine.TakeModeSwitch())
        Control(Item(IDC_STATUS))
            .SetText(m_translation.Text(*mode == FtpMode::kActive ? TextId::kSwitchedToActive
                                                                  : TextId::kSwitchedToPassive));
}

bool CFTPTandrilDlg::RouteCommand(WORD id)
{
    switch (id) {
    case IDC_LOCAL_BROWSE: m_localPane.OnBrowse(); return true;
    case IDC_LOCAL_ADDFOLDER: m_localPane.OnAddFolder(); return true;
    case IDC_LOCAL_DELETE: m_localPane.OnDelete(); return true;
    case IDC_FTP_BROWSE: m_ftpPane.OnBrowse(); return true;
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
    default: return false;
    }
}

bool CFTPTandrilDlg::OnNotify(NMHDR* header, LRESULT& result)
{
    const bool fromLists = header->idFrom == IDC_LOCAL_LIST || header->idFrom == IDC_FTP_LIST;
    if (!fromLists || m_transferCommand.IsBusy())
        return false;
    if (header->code == NM_DBLCLK) {
        if (header->idFrom == IDC_LOCAL_LIST)
            m_localPane.OnDoubleClick();
        else
            m_ftpPane.OnDoubleClick();
        ShowModeSwitch();
        result = 0;
        return true;
    }
    if (header->code == LVN_BEGINDRAG) {
        m_drag.Begin(*reinterpret_cast<NMLISTVIEW*>(header));
        result = 0;
        return true;
    }
    return false;
}

bool CFTPTandrilDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result)
{
    switch (message) {
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == IDM_ABOUTBOX) {
            if (!m_transferCommand.IsBusy())
                ShowAbout();
            return true;
        }
        return false;
    case WM_PAINT:
        if (!::IsIconic(Handle()))
            return false;
        PaintMinimised();
        return true;
    case WM_QUERYDRAGICON:
        result = reinterpret_cast<INT_PTR>(m_icon);
        return true;
    case WM_SIZE:
        // The first size message comes before the controls are bound: the window
        // then keeps its template layout.
        if (m_bound)
            LayOut(LOWORD(lParam), HIWORD(lParam));
        return false;
    case WM_CLOSE:
        if (m_transferCommand.IsBusy()) {
            // The batch stops after its current file and closes the window then.
            m_transferCommand.RequestStop();
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
    const MainLayout layout = ComputeMainLayout(width, height);
    for (const ControlPlacement& c : layout.controls)
        ::MoveWindow(Item(c.id), c.x, c.y, c.width, c.height, TRUE);
    m_localList.SetColumnWidth(0, layout.nameColumnWidth & 0xFFFF);
    m_ftpList.SetColumnWidth(0, layout.nameColumnWidth & 0xFFFF);
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
    if (!localFolder.empty() && !StoreSetting(L"Local Folder Data", localFolder))
        return;
    if (!m_ftpPath.Text().empty()) {
        const StoredProfile stored = EncodeProfile(m_profile);
        if (StoreSetting(kFtpDataKey, stored.ftpData) && StoreSetting(kPasswordKey, stored.password))
            StoreSetting(kPassiveKey, stored.passive, true);
    }
}

// A failed write is reported, and the window still closes: it must always be
// possible to end the program. A value the file cannot hold is refused on its
// own; a file that cannot be read or rewritten ends the saving, so the user is
// told once.
bool CFTPTandrilDlg::StoreSetting(const std::wstring& key, const std::wstring& value, bool addMissing)
{
    std::wstring problem;
    bool fileUsable = true;
    try {
        if (!LineFile::Fits8Bit(value)) {
            problem = FillPlaceholder(m_translation.Text(TextId::kValueNotStorable), key);
        } else if (!m_settings.WriteSetting(key, value, addMissing)) {
            problem = FillPlaceholder(m_translation.Text(TextId::kSettingsNotWritten), m_settings.SettingsPath());
            fileUsable = false;
        }
    } catch (const FileError& error) {
        problem = error.Message();
        fileUsable = false;
    }
    if (!problem.empty())
        Ui().ShowMessage(Handle(), problem, m_translation.Text(TextId::kMessageCaption), MB_OK);
    return fileUsable;
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
    if (!m_settings.WriteSetting(L"Language", dialog.CurrentCode())) {
        Ui().ShowMessage(Handle(), FillPlaceholder(m_translation.Text(TextId::kSettingsNotWritten), m_settings.SettingsPath()),
                         m_translation.Text(TextId::kMessageCaption), MB_OK);
        return;
    }
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
