#include "transfer/TransferCommand.h"

#include "framework/UiSeam.h"
#include "ftppane/FtpPane.h"
#include "panes/ReasonWords.h"
#include "i18n/CTranslation.h"
#include "localpane/LocalPane.h"
#include "panes/PaneControls.h"
#include "panes/RowModel.h"
#include "res/resource.h"

namespace {

// Taken once at the start: an upload lets clicks through, and a changed
// selection must not change what the running batch transfers. The parent row
// is told by its image or its text in both lists.
std::vector<PaneRow> SelectedRows(const ListView& list)
{
    std::vector<PaneRow> rows;
    for (int row : list.SelectedRows()) {
        const std::wstring name = list.CellText(row, 0);
        const int image = list.Image(row);
        rows.push_back({name, image == kParentImage ? RowKind::Parent : KindOfRow(image, name)});
    }
    return rows;
}

}  // namespace

TransferCommand::TransferCommand(const CTranslation& texts, FtpEngine& engine, LocalFiles& files,
                                 const ServerProfile& profile, FtpListing& listing, LocalPane& localPane,
                                 FtpPane& ftpPane)
    : m_texts(texts), m_localPane(localPane), m_ftpPane(ftpPane), m_batch(engine, files, profile, listing, *this)
{
}

void TransferCommand::Bind(HWND dialog)
{
    m_dialog = dialog;
    for (auto [control, id] : {std::pair<Control*, int>{&m_transfer, IDC_TRANSFER}, {&m_toLocal, IDC_TO_LOCAL},
                               {&m_toFtp, IDC_TO_FTP}, {&m_status, IDC_STATUS}, {&m_localList, IDC_LOCAL_LIST},
                               {&m_ftpList, IDC_FTP_LIST}})
        control->Attach(dialog, id);
}

void TransferCommand::SetUploadDirection()
{
    m_transfer.SetText(L">>>  " + m_texts.Text(TextId::kTransferFiles) + L"  >>>");
    m_toLocal.Enable(true);
    m_toFtp.Enable(false);
}

void TransferCommand::SetDownloadDirection()
{
    m_transfer.SetText(L"<<<  " + m_texts.Text(TextId::kTransferFiles) + L"  <<<");
    m_toLocal.Enable(false);
    m_toFtp.Enable(true);
}

void TransferCommand::TransferSelection()
{
    if (IsBusy())
        return;
    const std::wstring caption = m_transfer.Text();
    if (!caption.empty() && caption[0] == L'>')
        UploadSelection();
    else
        DownloadSelection();
}

void TransferCommand::UploadSelection()
{
    if (!CheckSelection(m_localList))
        return;
    m_stopRequested = false;
    const std::vector<Control> controls = BatchControls(false, true);
    for (const Control& control : controls)
        control.Enable(false);
    if (const std::optional<FailureReport> report = m_batch.Upload(m_localPane.CurrentFolder(),
                                                                    SelectedRows(m_localList)))
        FinishBatch(controls, *report);
}

void TransferCommand::DownloadSelection()
{
    if (!CheckSelection(m_ftpList))
        return;
    m_stopRequested = false;
    // "<" stays disabled afterwards: it is the button of the current direction.
    for (const Control& control : BatchControls(true, true))
        control.Enable(false);
    if (const std::optional<FailureReport> report = m_batch.Download(m_localPane.CurrentFolder(),
                                                                      SelectedRows(m_ftpList)))
        FinishBatch(BatchControls(true, false), *report);
}

bool TransferCommand::CheckSelection(const ListView& list) const
{
    if (list.SelectionMark() != -1)
        return true;
    Ui().ShowMessage(m_dialog, m_texts.Text(TextId::kSelectToTransfer), m_texts.Text(TextId::kMessageCaption),
                     MB_OK);
    return false;
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

void TransferCommand::ShowTransferring(const std::wstring& path)
{
    m_status.SetText(m_texts.Text(TextId::kTransferring) + L" " + path);
    ::UpdateWindow(m_status.Handle());
}

bool TransferCommand::ShouldStop() { return m_stopRequested || !::IsWindow(m_dialog); }

void TransferCommand::UploadRowDone() { m_ftpPane.Refresh(); }

void TransferCommand::DownloadRowDone(const std::wstring& localFolder) { m_localPane.FillLocalList(localFolder); }

void TransferCommand::FinishBatch(const std::vector<Control>& reenable, const FailureReport& report)
{
    if (!::IsWindow(m_dialog))
        return;
    for (const Control& control : reenable)
        control.Enable(true);
    m_status.SetText(L"");
    if (report.HasProblems())
        Ui().ShowMessage(m_dialog, FailureMessage(m_texts, report, TextId::kFilesNotTransferred),
                         m_texts.Text(TextId::kMessageCaption), MB_OK);
    if (m_stopRequested) {
        m_stopRequested = false;
        ::PostMessageW(m_dialog, WM_CLOSE, 0, 0);
    }
}
