#include "ftppane/FtpPane.h"

#include "framework/UiSeam.h"
#include "ftp/FtpEngine.h"
#include "ftppane/CAddFtp.h"
#include "ftppane/FtpFolderNavigation.h"
#include "ftppane/ServerProfile.h"
#include "i18n/CTranslation.h"
#include "localpane/RowModel.h"
#include "localpane/SizeText.h"
#include "res/resource.h"

FtpPane::FtpPane(CTranslation& texts, CAddFtp& profileDialog, FtpListing& listing)
    : m_texts(texts), m_profileDialog(profileDialog), m_profile(profileDialog.Profile()), m_listing(listing)
{
}

void FtpPane::Bind(HWND dialog)
{
    m_dialog = dialog;
    m_path.Attach(dialog, IDC_FTP_PATH);
    m_browse.Attach(dialog, IDC_FTP_BROWSE);
    m_addFolder.Attach(dialog, IDC_FTP_ADDFOLDER);
    m_delete.Attach(dialog, IDC_FTP_DELETE);
    m_group.Attach(dialog, IDC_FTP_GROUP);
    m_status.Attach(dialog, IDC_STATUS);
    m_transfer.Attach(dialog, IDC_TRANSFER);
    m_list.Attach(dialog, IDC_FTP_LIST);
}

void FtpPane::ApplyTexts()
{
    m_group.SetText(m_texts.Text(75));
    m_browse.SetText(m_texts.Text(85));
    m_addFolder.SetText(m_texts.Text(100));
    m_delete.SetText(m_texts.Text(105));
}

bool FtpPane::Refresh()
{
    m_transfer.Enable(false);
    m_status.SetText(m_texts.Text(50));
    ::UpdateWindow(m_status.Handle());
    const bool listed = ListFtpFolder(m_listing, m_profile.serverName, m_profile.user, m_profile.password,
                                      m_profile.folder);
    if (listed) {
        m_path.SetText(FtpPathFieldText(m_profile));
        FillRows();
    } else {
        Ui().ShowMessage(m_dialog, m_texts.Text(25), m_texts.Text(5), MB_OK | MB_ICONEXCLAMATION);
    }
    m_transfer.Enable(true);
    m_status.SetText(L"");
    return listed;
}

void FtpPane::FillRows()
{
    m_list.SuspendRedraw();
    m_list.DeleteAll();
    m_list.InsertRow(0, kParentRowText, kParentImage);
    int row = 1;
    for (const std::wstring& name : m_listing.folderNames)
        m_list.InsertRow(row++, name, kFolderImage);
    for (size_t i = 0; i < m_listing.fileNames.size(); ++i, ++row) {
        m_list.InsertRow(row, m_listing.fileNames[i], kFileImage);
        const std::uint64_t size = m_listing.fileSizes[i];
        m_list.SetCellText(row, 1, FormatSizeText(size, m_texts.Text(SizeUnitTextNumber(size))));
    }
    m_list.ResumeRedraw();
}

void FtpPane::RefreshOrGoBack(const std::wstring& previousFolder, const std::wstring& previousField)
{
    if (Refresh())
        return;
    m_profile.folder = previousFolder;
    m_path.SetText(previousField);
}

void FtpPane::OnBrowse()
{
    if (m_addFolderMode) {
        ConfirmAddFolder();
        return;
    }
    if (Ui().RunModal(m_profileDialog, m_dialog) == IDOK)
        Refresh();
}

void FtpPane::OnDoubleClick()
{
    const int row = m_list.SelectionMark();
    if (row < 0 || row >= m_list.Count())
        return;
    const int image = m_list.Image(row);
    if (image == kFileImage)
        return;
    const std::wstring previousFolder = m_profile.folder;
    m_profile.folder = image == kParentImage ? ParentFolderPath(previousFolder)
                                             : SubFolderPath(previousFolder, m_list.CellText(row, 0));
    RefreshOrGoBack(previousFolder, m_path.Text());
}

void FtpPane::ShowNormalControls(bool normal)
{
    m_list.Show(normal);
    m_group.SetText(normal ? m_texts.Text(75) : m_texts.Text(80));
    m_browse.SetText(normal ? m_texts.Text(85) : std::wstring(L"OK"));
    m_addFolder.Show(normal);
    m_delete.Show(normal);
}

void FtpPane::OnAddFolder()
{
    if (m_addFolderMode)
        return;
    m_fieldBeforeAddFolder = m_path.Text();
    m_path.SetText(L"");
    ShowNormalControls(false);
    m_addFolderMode = true;
}

void FtpPane::ConfirmAddFolder()
{
    ShowNormalControls(true);
    m_addFolderMode = false;
    const std::wstring name = m_path.Text();
    if (!name.empty())
        CreateFtpFolder(m_profile.serverName, m_profile.user, m_profile.password,
                        SubFolderPath(m_profile.folder, name));
    RefreshOrGoBack(m_profile.folder, m_fieldBeforeAddFolder);
}

void FtpPane::OnDelete()
{
    if (m_list.SelectionMark() == -1) {
        Ui().ShowMessage(m_dialog, m_texts.Text(60), m_texts.Text(5), MB_OK);
        return;
    }
    for (int row : m_list.SelectedRows())
        DeleteRow(row);
    RefreshOrGoBack(m_profile.folder, m_path.Text());
}

void FtpPane::DeleteRow(int row)
{
    const int image = m_list.Image(row);
    // The parent row names no entry on the server.
    if (image == kParentImage)
        return;
    const std::wstring name = m_list.CellText(row, 0);
    const ServerProfile& p = m_profile;
    if (image == kFileImage) {
        DeleteFtpFile(p.serverName, p.user, p.password, p.folder, name);
        return;
    }
    FtpDeleteProgress progress;
    progress.beforeDelete = [this](const std::wstring& path) {
        m_status.SetText(m_texts.Text(90) + L" " + path);
        ::UpdateWindow(m_status.Handle());
    };
    progress.finished = [this] { m_status.SetText(L""); };
    DeleteFtpFolderTree(p.serverName, p.user, p.password, p.folder, name, m_listing, progress);
}
