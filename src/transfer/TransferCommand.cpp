#include "transfer/TransferCommand.h"

#include "framework/UiSeam.h"
#include "ftppane/FtpPane.h"
#include "panes/ReasonWords.h"
#include "i18n/CTranslation.h"
#include "localpane/LocalPane.h"
#include "panes/PaneControls.h"
#include "panes/RowModel.h"
#include "panes/UserLocale.h"
#include "res/resource.h"
#include "transfer/COverwriteDlg.h"

#include <commctrl.h>

namespace {

ProgressWords MakeProgressWords(const CTranslation& texts)
{
    ProgressWords words;
    words.ofTotal = texts.Text(TextId::kProgressOfTotal);
    words.timeLeft = texts.Text(TextId::kTimeLeft);
    words.seconds = texts.Text(TextId::kSeconds);
    words.minutesSeconds = texts.Text(TextId::kMinutesSeconds);
    words.hoursMinutes = texts.Text(TextId::kHoursMinutes);
    words.units = {texts.Text(TextId::kBytes), texts.Text(TextId::kKilobytes), texts.Text(TextId::kMegabytes),
                   texts.Text(TextId::kGigabytes)};
    words.decimalMark = DecimalMark();
    return words;
}

constexpr int kProgressRange = 1000;

}  // namespace

TransferCommand::TransferCommand(const CTranslation& texts, FtpEngine& engine, LocalFiles& files,
                                 const ServerProfile& profile, const FtpListing& listing, LocalPane& localPane,
                                 FtpPane& ftpPane)
    : m_texts(texts), m_localPane(localPane), m_ftpPane(ftpPane), m_batch(engine, files, profile, listing, *this)
{
}

void TransferCommand::Bind(HWND dialog)
{
    m_dialog = dialog;
    for (auto [control, id] : {std::pair<Control*, int>{&m_transfer, IDC_TRANSFER}, {&m_toLocal, IDC_TO_LOCAL},
                               {&m_toFtp, IDC_TO_FTP}, {&m_status, IDC_STATUS}, {&m_progress, IDC_PROGRESS},
                               {&m_localList, IDC_LOCAL_LIST}, {&m_ftpList, IDC_FTP_LIST}})
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
    const std::vector<Control> controls = BatchControls(false, true);
    StartBatch(controls);
    // The rows are taken once at the start: an upload lets clicks through, and
    // a changed selection must not change what the running batch transfers.
    if (const std::optional<FailureReport> report = m_batch.Upload(m_localPane.CurrentFolder(),
                                                                    m_localPane.SelectedRows()))
        FinishBatch(controls, *report, true);
}

void TransferCommand::DownloadSelection()
{
    if (!CheckSelection(m_ftpList))
        return;
    StartBatch(BatchControls(true, true));
    // "<" stays disabled afterwards: it is the button of the current direction.
    if (const std::optional<FailureReport> report = m_batch.Download(m_localPane.CurrentFolder(),
                                                                      m_ftpPane.SelectedRows()))
        FinishBatch(BatchControls(true, false), *report, false);
}

void TransferCommand::StartBatch(const std::vector<Control>& disable)
{
    m_stopRequested = false;
    m_closeRequested = false;
    m_progressWords = MakeProgressWords(m_texts);
    for (const Control& control : disable)
        control.Enable(false);
    m_transfer.SetText(m_texts.Text(TextId::kStop));
    m_progress.Send(PBM_SETRANGE32, 0, kProgressRange);
    m_progress.Send(PBM_SETPOS, 0);
    m_progress.Show(true);
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
    std::vector<Control> controls;
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

void TransferCommand::ShowProgress(const TransferProgress& progress, double now)
{
    m_status.SetText(progress.Text(m_progressWords, now));
    m_progress.Send(PBM_SETPOS, static_cast<WPARAM>(progress.Permille()));
    ::UpdateWindow(m_status.Handle());
}

bool TransferCommand::ShouldStop() { return m_stopRequested || m_closeRequested || !::IsWindow(m_dialog); }

OverwriteChoice TransferCommand::AskOverwrite(const OverwriteQuestion& question)
{
    COverwriteDlg dialog(m_texts, question);
    return COverwriteDlg::ChoiceOfResult(Ui().RunModal(dialog, m_dialog));
}

void TransferCommand::UploadRowDone() { m_ftpPane.Refresh(); }

void TransferCommand::DownloadRowDone(const std::wstring& localFolder) { m_localPane.FillLocalList(localFolder); }

void TransferCommand::FinishBatch(const std::vector<Control>& reenable, const FailureReport& report, bool upload)
{
    if (!::IsWindow(m_dialog))
        return;
    m_progress.Show(false);
    if (upload)
        SetUploadDirection();
    else
        SetDownloadDirection();
    for (const Control& control : reenable)
        control.Enable(true);
    m_status.SetText(L"");
    if (m_closeRequested) {
        // Closing: failures are still told, a stop the user asked for is not.
        if (report.FailedCount() > 0)
            Ui().ShowMessage(m_dialog, FailureMessage(m_texts, report, TextId::kFilesNotTransferred),
                             m_texts.Text(TextId::kMessageCaption), MB_OK);
        m_closeRequested = false;
        ::PostMessageW(m_dialog, WM_CLOSE, 0, 0);
        return;
    }
    // A stopped batch did not refresh the target after its last row.
    if (report.WasStopped()) {
        if (upload)
            UploadRowDone();
        else
            DownloadRowDone(m_localPane.CurrentFolder());
    }
    if (report.HasProblems())
        Ui().ShowMessage(m_dialog, FailureMessage(m_texts, report, TextId::kFilesNotTransferred),
                         m_texts.Text(TextId::kMessageCaption), MB_OK);
}
