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
#include "i18n/LanguageFile.h"

#include <commctrl.h>

#include <utility>

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

TransferCommand::TransferCommand(const CTranslation& texts, FtpJobs& jobs, LocalFiles& files,
                                 const ServerProfile& profile, const FtpListing& listing, LocalPane& localPane,
                                 FtpPane& ftpPane)
    : m_texts(texts),
      m_profile(profile),
      m_listing(listing),
      m_localPane(localPane),
      m_ftpPane(ftpPane),
      m_batch(jobs, files, *this)
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
    m_upload = true;
    m_transfer.SetText(L">>>  " + m_texts.Text(TextId::kTransferFiles) + L"  >>>");
    m_toLocal.Enable(true);
    m_toFtp.Enable(false);
}

void TransferCommand::SetDownloadDirection()
{
    m_upload = false;
    m_transfer.SetText(L"<<<  " + m_texts.Text(TextId::kTransferFiles) + L"  <<<");
    m_toLocal.Enable(false);
    m_toFtp.Enable(true);
}

void TransferCommand::TransferSelection()
{
    if (m_upload)
        UploadSelection();
    else
        DownloadSelection();
}

void TransferCommand::UploadSelection()
{
    if (!CheckSelection(m_localList))
        return;
    StartProgress();
    // The rows are taken once at the start: a changed selection must not
    // change what the running batch transfers.
    if (!m_batch.Upload(m_profile, m_localPane.CurrentFolder(), m_localPane.SelectedRows()))
        m_progress.Show(false);
}

void TransferCommand::DownloadSelection()
{
    if (!CheckSelection(m_ftpList))
        return;
    StartProgress();
    if (!m_batch.Download(m_profile, m_listing, m_localPane.CurrentFolder(), m_ftpPane.SelectedRows()))
        m_progress.Show(false);
}

bool TransferCommand::UploadPaths(const std::vector<std::wstring>& paths, const std::wstring& remoteFolder)
{
    StartProgress();
    const bool started = m_batch.UploadPaths(m_profile, remoteFolder, paths);
    m_progress.Show(started);
    return started;
}

bool TransferCommand::DownloadThen(const std::wstring& localFolder, const PaneRow& row, std::function<void()> arrived)
{
    StartProgress();
    m_arrived = std::move(arrived);
    const bool started = m_batch.Download(m_profile, m_listing, localFolder, {row});
    m_progress.Show(started);
    if (!started)
        m_arrived = nullptr;
    return started;
}

void TransferCommand::StartProgress()
{
    m_arrived = nullptr;
    m_closing = false;
    m_sessionsNote.clear();
    m_progressWords = MakeProgressWords(m_texts);
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

void TransferCommand::ShowTransferring(const std::wstring& path)
{
    m_status.SetText(m_texts.Text(TextId::kTransferring) + L" " + path);
}

void TransferCommand::ShowProgress(const TransferProgress& progress, double now)
{
    m_status.SetText(progress.Text(m_progressWords, now) + m_sessionsNote);
    m_progress.Send(PBM_SETPOS, static_cast<WPARAM>(progress.Permille()));
}

OverwriteChoice TransferCommand::AskOverwrite(const OverwriteQuestion& question)
{
    COverwriteDlg dialog(m_texts, question);
    return COverwriteDlg::ChoiceOfResult(Ui().RunModal(dialog, m_dialog));
}

void TransferCommand::UploadRowDone(const std::wstring& folder, const FtpFolderResult& listing)
{
    // The pane may show another folder by now only if the profile changed.
    if (folder == m_profile.folder)
        m_ftpPane.ShowListing(folder, listing);
}

void TransferCommand::DownloadRowDone(const std::wstring& localFolder)
{
    // The user may have moved on in the local pane meanwhile.
    if (localFolder == m_localPane.CurrentFolder())
        m_localPane.FillLocalList(localFolder);
}

void TransferCommand::FewerSessions(int sessions)
{
    m_sessionsNote = L"  " + FillPlaceholder(m_texts.Text(TextId::kFewerSessions), std::to_wstring(sessions));
    m_status.SetText(m_status.Text() + m_sessionsNote);
}

void TransferCommand::BatchGivenUp(bool upload)
{
    m_arrived = nullptr;
    m_progress.Show(false);
    if (upload)
        m_ftpPane.Refresh();
    else
        m_localPane.FillLocalList(m_localPane.CurrentFolder());
}

void TransferCommand::BatchEnded(const FailureReport& report, bool upload, bool stopped)
{
    const std::function<void()> arrived = std::exchange(m_arrived, nullptr);
    if (!::IsWindow(m_dialog))
        return;
    m_progress.Show(false);
    // A stopped batch did not refresh the target after its last row.
    if (stopped && !m_closing) {
        if (upload)
            m_ftpPane.Refresh();
        else
            m_localPane.FillLocalList(m_localPane.CurrentFolder());
    }
    // What happened, on the status line until the next command.
    std::wstring outcome = FillPlaceholder(m_texts.Text(upload ? TextId::kFilesUploaded : TextId::kFilesDownloaded),
                                           std::to_wstring(report.MovedCount()));
    if (report.SkippedCount() > 0)
        outcome += L", " + FillPlaceholder(m_texts.Text(TextId::kFilesSkipped), std::to_wstring(report.SkippedCount()));
    if (report.FailedCount() > 0)
        outcome += L", " + FillPlaceholder(m_texts.Text(TextId::kFilesFailed), std::to_wstring(report.FailedCount()));
    m_status.SetText(outcome);
    // Closing: failures are still told, a stop the user asked for is not.
    // The button no longer reads Stop while the summary is read: nothing runs.
    if (m_closing ? report.FailedCount() > 0 : report.HasProblems()) {
        ShowDirection();
        Ui().ShowMessage(m_dialog, FailureMessage(m_texts, report, TextId::kFilesNotTransferred),
                         m_texts.Text(TextId::kMessageCaption), MB_OK);
    }
    if (arrived && !m_closing && !report.HasProblems())
        arrived();
}
