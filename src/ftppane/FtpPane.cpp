#include "ftppane/FtpPane.h"

#include "framework/UiSeam.h"
#include "ftppane/CAddFtp.h"
#include "panes/ReasonWords.h"
#include "i18n/CTranslation.h"
#include "i18n/LanguageFile.h"
#include "panes/UserLocale.h"
#include "res/resource.h"

#include <algorithm>

FtpPane::FtpPane(const CTranslation& texts, FtpJobs& jobs, ServerProfile& profile, FtpListing& listing,
                 SavedServerStore& servers)
    : PaneWindow(texts, {IDC_FTP_PATH, IDC_FTP_BROWSE, IDC_FTP_ADDFOLDER, IDC_FTP_DELETE, IDC_FTP_GROUP, IDC_FTP_LIST},
                 TextId::kFtpGroup),
      m_jobs(jobs),
      m_profile(profile),
      m_servers(servers),
      m_commands(jobs, profile, listing, *this)
{
}

void FtpPane::Bind(HWND dialog)
{
    PaneWindow::Bind(dialog);
    m_status.Attach(dialog, IDC_STATUS);
}

void FtpPane::EditLiveProfile()
{
    const int inUse = m_servers.List().IndexInUse(m_profile);
    EditProfile(m_profile, inUse < 0 ? std::wstring() : m_servers.List().Servers()[static_cast<size_t>(inUse)].name);
}

void FtpPane::EditProfile(const ServerProfile& start, const std::wstring& savedName)
{
    CAddFtp dialog(m_texts, m_jobs, m_servers);
    dialog.SetProfile(start);
    dialog.SetSavedName(savedName);
    if (Ui().RunModal(dialog, m_controls.Dialog()) == IDOK)
        m_commands.UseProfile(dialog.Profile());
}

void FtpPane::ShowRows(const FtpListing& listing)
{
    m_controls.FillRows(MakeListRows(listing, CurrentFileTime()));
}

void FtpPane::ReportListingFailure(const FtpFailure& reason)
{
    // Nothing answered at the address: user, password and folder are not the point.
    std::wstring text = m_texts.Text(TextId::kFtpListingFailed);
    if (IsUnreachable(reason)) {
        const FtpServerAddress address = ParseServerName(m_profile.login.serverName);
        text = FillPlaceholders(m_texts.Text(TextId::kServerUnreachable), {address.host, std::to_wstring(address.port)});
    }
    Tell(WithReason(text, reason, ReasonWords(m_texts)), MB_ICONEXCLAMATION);
}

void FtpPane::ReportFolderNotCreated(const std::wstring& path, const FtpFailure& reason)
{
    Tell(WithReason(FillPlaceholder(m_texts.Text(TextId::kFolderNotCreated), path), reason, ReasonWords(m_texts)));
}

void FtpPane::ShowDeleting(const std::wstring& path)
{
    m_status.SetText(m_texts.Text(TextId::kDeleting) + L" " + path);
}

void FtpPane::SelectName(const std::wstring& name) { m_controls.SelectOnly(name); }

void FtpPane::ReportDeleteProblems(const FailureReport& report)
{
    Tell(FailureMessage(m_texts, report, TextId::kEntriesNotDeleted));
}

void FtpPane::ShowDone(FtpWorkKind kind, int count, const std::wstring& name)
{
    const TextId text = kind == FtpWorkKind::kDeleting   ? TextId::kEntriesDeleted
                        : kind == FtpWorkKind::kCreating ? TextId::kFolderCreated
                                                         : TextId::kRenamedTo;
    m_status.SetText(FillPlaceholder(m_texts.Text(text), kind == FtpWorkKind::kDeleting ? std::to_wstring(count) : name));
}
