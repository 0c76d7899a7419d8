// The right pane: the folder on the FTP server in list 1008 and field 1005,
// with its Browse, Add Folder and Delete buttons and the group box 1016. The
// pane's folder is the profile's folder field; its rows come from the window's
// FtpListing, filled by every refresh.
#pragma once

#include "framework/ListView.h"

#include <string>

class CAddFtp;
class CTranslation;
class FtpListing;
struct ServerProfile;

class FtpPane {
public:
    FtpPane(CTranslation& texts, CAddFtp& profileDialog, FtpListing& listing);

    void Bind(HWND dialog);
    void ApplyTexts();

    // Lists the profile's folder and rebuilds the rows. On failure shows text 25
    // and keeps the rows and field 1005 as they were; returns false.
    bool Refresh();

    // Browse (1006): the profile dialog, or creates the typed folder in add-folder mode.
    void OnBrowse();
    // Double-click in list 1008: enters a folder or goes up one level.
    void OnDoubleClick();
    // Add Folder (1012): field 1005 takes the new folder's name.
    void OnAddFolder();
    // Delete (1013): deletes the selected files and folder trees on the server.
    void OnDelete();

    bool InAddFolderMode() const { return m_addFolderMode; }
    const ListView& List() const { return m_list; }

private:
    void FillRows();
    // Refreshes after a command that may have changed the folder; when the
    // listing fails, the folder and field 1005 go back to what was shown, so
    // that they keep agreeing with the rows.
    void RefreshOrGoBack(const std::wstring& previousFolder, const std::wstring& previousField);
    // Leaves add-folder mode and creates the typed folder below the current one.
    void ConfirmAddFolder();
    void ShowNormalControls(bool normal);
    void DeleteRow(int row);

    CTranslation& m_texts;
    CAddFtp& m_profileDialog;
    ServerProfile& m_profile;
    FtpListing& m_listing;
    HWND m_dialog = nullptr;
    Control m_path;
    Control m_browse;
    Control m_addFolder;
    Control m_delete;
    Control m_group;
    Control m_status;
    Control m_transfer;
    ListView m_list;
    bool m_addFolderMode = false;
    // Field 1005 as it was when add-folder mode began.
    std::wstring m_fieldBeforeAddFolder;
};
