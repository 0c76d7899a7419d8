#include "transfer/TransferCommand.h"

#include "framework/UiSeam.h"
#include "ftp/FtpEngine.h"
#include "ftp/FtpPath.h"
#include "ftp/SafeLocalName.h"
#include "ftppane/FtpPane.h"
#include "ftppane/ServerProfile.h"
#include "i18n/CTranslation.h"
#include "localpane/LocalPane.h"
#include "localpane/LocalPath.h"
#include "localpane/RowModel.h"
#include "res/resource.h"
#include "settings/PowerClass.h"
#include "transfer/TransferPaths.h"
#include "transfer/TransferReport.h"

namespace {

bool Exists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool IsParentRow(const std::wstring& name, int image) { return image == kParentImage || name == kParentRowText; }

// Marks the command busy for the length of a batch, also when it ends early.
class BusyScope {
public:
    explicit BusyScope(bool& busy) : m_busy(busy) { m_busy = true; }
    ~BusyScope() { m_busy = false; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    bool& m_busy;
};

}  // namespace

TransferCommand::TransferCommand(CTranslation& texts, PowerClass& power, ServerProfile& profile,
                                 FtpListing& listing, LocalPane& localPane, FtpPane& ftpPane)
    : m_texts(texts), m_power(power), m_profile(profile), m_listing(listing), m_localPane(localPane),
      m_ftpPane(ftpPane)
{
}

void TransferCommand::Bind(HWND dialog)
{
    m_dialog = dialog;
    m_transfer.Attach(dialog, IDC_TRANSFER);
    m_toLocal.Attach(dialog, IDC_TO_LOCAL);
    m_toFtp.Attach(dialog, IDC_TO_FTP);
    m_status.Attach(dialog, IDC_STATUS);
    m_localList.Attach(dialog, IDC_LOCAL_LIST);
    m_ftpList.Attach(dialog, IDC_FTP_LIST);
}

void TransferCommand::SetUploadDirection()
{
    m_transfer.SetText(L">>>  " + m_texts.Text(95) + L"  >>>");
    m_toLocal.Enable(true);
    m_toFtp.Enable(false);
}

void TransferCommand::SetDownloadDirection()
{
    m_transfer.SetText(L"<<<  " + m_texts.Text(95) + L"  <<<");
    m_toLocal.Enable(false);
    m_toFtp.Enable(true);
}

void TransferCommand::TransferSelection()
{
    // A click or a drop that an upload lets through must not start a second
    // batch over the same file lists.
    if (m_busy)
        return;
    const std::wstring caption = m_transfer.Text();
    if (!caption.empty() && caption[0] == L'>')
        UploadSelection();
    else
        DownloadSelection();
}

void TransferCommand::UploadSelection()
{
    if (m_localList.SelectionMark() == -1) {
        Ui().ShowMessage(m_dialog, m_texts.Text(55), m_texts.Text(5), MB_OK);
        return;
    }
    BusyScope busy(m_busy);
    m_stopRequested = false;
    const std::vector<Control> controls = BatchControls(false, true);
    for (const Control& control : controls)
        control.Enable(false);
    const std::wstring localFolder = m_localPane.CurrentFolder();
    TransferReport report;
    for (const Row& row : SelectedRows(m_localList)) {
        if (ShouldStop())
            break;
        if (IsParentRow(row.name, row.image))
            continue;
        const std::wstring path = JoinLocal(localFolder, row.name);
        if (row.image == kFileImage) {
            SetStatus(path);
            if (!UploadFile(m_listing, path, m_profile.serverName, m_profile.user, m_profile.password,
                            m_profile.folder))
                report.AddFailed(path);
        } else if (row.image == kFolderImage) {
            UploadFolder(localFolder, path, report);
        }
        if (ShouldStop())
            break;
        m_ftpPane.Refresh();
    }
    FinishBatch(controls, report);
}

void TransferCommand::UploadFolder(const std::wstring& localFolder, const std::wstring& folderPath,
                                   TransferReport& report)
{
    m_power.CollectFilesRecursive(folderPath);
    // A copy: the utility object's list may be refilled while uploads let
    // window messages through.
    const std::vector<std::wstring> files = m_power.FileNames();
    for (const std::wstring& file : files) {
        if (ShouldStop())
            return;
        const std::wstring subFolder = RemoteSubFolder(localFolder, file);
        SetStatus(subFolder);
        if (!UploadFile(m_listing, file, m_profile.serverName, m_profile.user, m_profile.password,
                        RemoteTargetFolder(m_profile.folder, subFolder)))
            report.AddFailed(file);
    }
}

void TransferCommand::DownloadSelection()
{
    if (m_ftpList.SelectionMark() == -1) {
        Ui().ShowMessage(m_dialog, m_texts.Text(55), m_texts.Text(5), MB_OK);
        return;
    }
    BusyScope busy(m_busy);
    m_stopRequested = false;
    // "<" stays disabled afterwards: it is the button of the current direction.
    for (const Control& control : BatchControls(true, true))
        control.Enable(false);
    const std::wstring localFolder = m_localPane.CurrentFolder();
    TransferReport report;
    for (const Row& row : SelectedRows(m_ftpList)) {
        if (ShouldStop())
            break;
        if (IsParentRow(row.name, row.image))
            continue;
        const std::wstring remotePath = JoinFtpPath(m_profile.folder, row.name);
        // Before any folder was chosen the target would be the root of the
        // current drive.
        if (localFolder.empty()) {
            report.AddFailed(remotePath);
            continue;
        }
        if (row.image == kFileImage) {
            SetStatus(remotePath);
            if (!IsSafeLocalName(row.name) ||
                !DownloadFile(localFolder, m_profile.serverName, m_profile.user, m_profile.password,
                              m_profile.folder, row.name))
                report.AddFailed(remotePath);
        } else if (row.image == kFolderImage) {
            DownloadFolder(localFolder, remotePath, report);
        }
        if (ShouldStop())
            break;
        m_localPane.FillLocalList(localFolder);
    }
    FinishBatch(BatchControls(true, false), report);
}

void TransferCommand::DownloadFolder(const std::wstring& localFolder, const std::wstring& remoteFolder,
                                     TransferReport& report)
{
    EnumerateFtpTree(m_listing, m_profile.serverName, m_profile.user, m_profile.password, remoteFolder);
    report.AddUnlistedFolders(m_listing.unlistedFolders);
    const std::vector<std::wstring> files = m_listing.fileNames;
    for (const std::wstring& file : files) {
        if (ShouldStop())
            return;
        DownloadTreeFile(localFolder, file, report);
    }
}

void TransferCommand::DownloadTreeFile(const std::wstring& localFolder, const std::wstring& remotePath,
                                       TransferReport& report)
{
    std::wstring remoteFolder;
    std::wstring name;
    SplitFtpPath(remotePath, remoteFolder, name);
    const std::wstring relative = RelativeToFtpFolder(m_profile.folder, remotePath);
    // A server may name a folder "CON" or "a:b" anywhere in the tree: such a
    // file is never written, nor is any folder made for it.
    if (!IsSafeLocalRelativePath(relative)) {
        report.AddFailed(remotePath);
        return;
    }
    const std::wstring target = JoinLocalSubFolder(localFolder, LocalSubFolder(relative));
    if (!Exists(target))
        CreateLocalPath(target);
    SetStatus(remoteFolder);
    if (!DownloadFile(target, m_profile.serverName, m_profile.user, m_profile.password, remoteFolder, name))
        report.AddFailed(remotePath);
}

bool TransferCommand::CreateLocalPath(const std::wstring& path)
{
    const std::vector<std::wstring> folders = FoldersToCreate(path);
    for (const std::wstring& folder : folders)
        if (!Exists(folder))
            ::CreateDirectoryW(folder.c_str(), nullptr);
    return Exists(folders.empty() ? CollapseBackslashes(path) : folders.back());
}

std::vector<TransferCommand::Row> TransferCommand::SelectedRows(const ListView& list)
{
    // Taken once at the start: an upload lets clicks through, and a changed
    // selection must not change what the running batch transfers.
    std::vector<Row> rows;
    for (int row : list.SelectedRows())
        rows.push_back({list.CellText(row, 0), list.Image(row)});
    return rows;
}

std::vector<Control> TransferCommand::BatchControls(bool withToFtp, bool withToLocal) const
{
    std::vector<Control> controls = {m_transfer};
    if (withToFtp)
        controls.push_back(m_toFtp);
    if (withToLocal)
        controls.push_back(m_toLocal);
    for (int id : {IDC_LOCAL_ADDFOLDER, IDC_FTP_ADDFOLDER, IDC_LOCAL_BROWSE, IDC_FTP_BROWSE, IDC_LOCAL_DELETE,
                   IDC_FTP_DELETE})
        controls.emplace_back(::GetDlgItem(m_dialog, id));
    return controls;
}

void TransferCommand::SetStatus(const std::wstring& path) const
{
    m_status.SetText(m_texts.Text(65) + L" " + path);
    ::UpdateWindow(m_status.Handle());
}

bool TransferCommand::ShouldStop() const { return m_stopRequested || !::IsWindow(m_dialog); }

void TransferCommand::FinishBatch(const std::vector<Control>& reenable, const TransferReport& report)
{
    if (!::IsWindow(m_dialog))
        return;
    for (const Control& control : reenable)
        control.Enable(true);
    m_status.SetText(L"");
    if (report.HasProblems())
        Ui().ShowMessage(m_dialog, report.Message(m_texts.Text(67), m_texts.Text(69)), m_texts.Text(5), MB_OK);
    if (m_stopRequested) {
        m_stopRequested = false;
        ::PostMessageW(m_dialog, WM_CLOSE, 0, 0);
    }
}
