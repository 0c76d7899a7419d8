#include "ftppane/FtpPane.h"

#include "framework/UiSeam.h"
#include "ftp/FtpEngine.h"
#include "ftppane/CAddFtp.h"
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
        m_path.SetText(m_profile.serverName + L"/" + m_profile.folder);
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

void FtpPane::OnBrowse() {}

void FtpPane::OnDoubleClick() {}

void FtpPane::OnAddFolder() {}

void FtpPane::OnDelete() {}
