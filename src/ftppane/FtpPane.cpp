#include "ftppane/FtpPane.h"

#include "framework/UiSeam.h"
#include "ftppane/CAddFtp.h"
#include "panes/ReasonWords.h"
#include "i18n/CTranslation.h"
#include "i18n/LanguageFile.h"
#include "panes/UserLocale.h"
#include "res/resource.h"

#include <algorithm>

FtpPane::FtpPane(const CTranslation& texts, FtpEngine& engine, ServerProfile& profile, FtpListing& listing)
    : PaneWindow(texts, {IDC_FTP_PATH, IDC_FTP_BROWSE, IDC_FTP_ADDFOLDER, IDC_FTP_DELETE, IDC_FTP_GROUP, IDC_FTP_LIST},
                 TextId::kFtpGroup, PaneControls::ParentBy::kImageOnly),
      m_engine(engine),
      m_profile(profile),
      m_commands(engine, profile, listing, *this)
{
}

void FtpPane::Bind(HWND dialog)
{
    PaneWindow::Bind(dialog);
    m_status.Attach(dialog, IDC_STATUS);
    m_transfer.Attach(dialog, IDC_TRANSFER);
}

void FtpPane::Browse()
{
    CAddFtp dialog(m_texts, m_engine);
    dialog.SetProfile(m_profile);
    if (Ui().RunModal(dialog, m_controls.Dialog()) == IDOK)
        m_commands.UseProfile(dialog.Profile());
}

void FtpPane::ListingStarts()
{
    m_transfer.Enable(false);
    m_status.SetText(m_texts.Text(TextId::kReadingFtpFolder));
    ::UpdateWindow(m_status.Handle());
}

void FtpPane::ListingEnds()
{
    m_transfer.Enable(true);
    m_status.SetText(L"");
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

void FtpPane::Tell(const std::wstring& message, UINT icon) const
{
    Ui().ShowMessage(m_controls.Dialog(), message, m_texts.Text(TextId::kMessageCaption), MB_OK | icon);
}

void FtpPane::ShowDeleting(const std::wstring& path)
{
    m_status.SetText(path.empty() ? std::wstring() : m_texts.Text(TextId::kDeleting) + L" " + path);
    ::UpdateWindow(m_status.Handle());
}

void FtpPane::ReportDeleteProblems(const FailureReport& report)
{
    Tell(FailureMessage(m_texts, report, TextId::kEntriesNotDeleted));
}
