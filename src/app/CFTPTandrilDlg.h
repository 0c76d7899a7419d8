// The main window: the local pane on the left, the FTP pane on the right, the
// transfer buttons and the status line at the bottom. Each piece of what the
// user sees lives in one place: the local folder in its path box, the server
// profile and FTP folder in the window's one live profile, the FTP folder's
// contents in the FtpListing, the transfer direction in the transfer button's
// caption. The settings file, the FTP work and the local file system are the
// application's, handed in. While FTP work runs the window is busy: the
// status line says what is being done, the transfer button reads Stop, and
// what would conflict with the work is disabled or ignored.
#pragma once

#include "app/MainMenu.h"
#include "app/MainTooltips.h"
#include "app/RowImages.h"
#include "app/StatusRow.h"
#include "framework/Dialog.h"
#include "framework/ListView.h"
#include "ftp/FtpWork.h"
#include "ftppane/FtpPane.h"
#include "ftppane/SavedServerStore.h"
#include "ftppane/StoredProfile.h"
#include "i18n/CTranslation.h"
#include "localpane/LocalPane.h"
#include "settings/DpapiProtector.h"
#include "settings/SettingsFile.h"
#include "transfer/DragDrop.h"
#include "transfer/ExplorerDrop.h"
#include "transfer/FtpFileOpener.h"
#include "transfer/TransferCommand.h"

#include <commctrl.h>

#include <string>
#include <utility>
#include <vector>

class CFTPTandrilDlg : public Dialog {
public:
    CFTPTandrilDlg(SettingsFile& settings, FtpWork& work, LocalFiles& files);
    ~CFTPTandrilDlg() override;

    // Restores the last run's state, applies the chosen language and fills both
    // panes. Runs when the window opens and again after a change of language.
    BOOL InitMainWindow();

    void FillLocalList(const std::wstring& folder) { m_localPane.FillLocalList(folder); }

    ServerProfile& Profile() { return m_profile; }
    const CTranslation& Texts() const { return m_translation; }
    HWND Tooltip() const { return m_tooltips.Handle(); }

protected:
    BOOL OnInit() override { return InitMainWindow(); }
    bool OnCommand(WORD id, WORD code, HWND control) override;
    bool OnNotify(NMHDR* header, LRESULT& result) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

private:
    void BindControls();
    void AddAboutToSystemMenu();
    void CreateImageListAndColumns();
    void RestoreProfile();
    void RestoreLocalFolder(bool firstRun);
    void ApplyTexts();
    void OnLanguageSelection();
    bool RouteCommand(WORD id);
    // Manage servers and the saved servers' items of the Servers menu.
    bool RouteServersCommand(WORD id);
    void UseSavedServer(size_t index);
    // The Servers menu for the saved servers and the profile in use.
    void RebuildServersMenu();
    PaneWindow* PaneOfList(UINT_PTR id);
    // The context menu of either list; false for other controls.
    bool OnContextMenu(HWND control, LPARAM position);

    // The one place the busy state is set and cleared.
    void OnFtpBusy(bool busy, FtpWorkKind kind);
    // What the status line says while work of that kind runs.
    static TextId StatusOfWork(FtpWorkKind kind);
    // What the user may not do to the FTP side while its work runs.
    bool BlockedWhileBusy(const NMHDR& header) const;

    void LayOut(int width, int height);
    void OpenAtDefaultSize();
    void KeepMinimumSize(MINMAXINFO& limits) const;
    // WM_DPICHANGED: the window moved to a display of another scale.
    void OnDpiChanged(int dpi, const RECT& suggested);
    void PaintMinimised();
    void SaveState();
    // All of the values or none; false, after telling why, when the settings
    // file could not be read or rewritten. addMissing: a key the file lacks is
    // added (see SettingsFile::WriteSetting).
    bool StoreSettings(const std::vector<std::pair<std::wstring, std::wstring>>& values, bool addMissing = false);
    // A message box with the program's caption.
    void Tell(const std::wstring& text);
    void OnEnter();
    void OnEscape();
    void KeepTransferOffWhileNaming();
    // Tells on the status line, once, that the engine fell back to the other
    // transfer mode; after a command, when the status line has fallen quiet.
    void ShowModeSwitch();
    void ShowAbout();
    void OpenHelpFile();
    void OpenHomepage();

    HICON m_icon;
    SettingsFile& m_settings;
    FtpWork& m_work;
    CTranslation m_translation;
    DpapiProtector m_protector;
    SavedServerStore m_savedServers;
    // The stored password of the restored profile when it cannot be read here.
    UnreadablePassword m_unreadablePassword;
    bool m_toldPasswordUnreadable = false;
    bool m_firstRun = true;
    bool m_bound = false;
    bool m_closeAfterWork = false;  // closed while FTP work ran: closes when it has stopped
    bool m_transferOffForNaming = false;
    int m_dpi = kDefaultDpi;
    RowImages m_rowImages;
    ServerProfile m_profile;
    FtpListing m_ftpListing;
    LocalPane m_localPane;
    FtpPane m_ftpPane;
    TransferCommand m_transferCommand;
    DragDrop m_drag;
    StatusRow m_statusRow;
    ExplorerDrop m_explorerDrop;
    FtpFileOpener m_fileOpener;
    ListView m_localList;
    ListView m_ftpList;
    Control m_localPath;
    Control m_ftpPath;
    MainMenu m_menu;
    MainTooltips m_tooltips;
};
