#include "localpane/LocalPane.h"

#include "framework/UiSeam.h"
#include "i18n/CTranslation.h"
#include "i18n/LanguageFile.h"
#include "panes/UserLocale.h"
#include "res/resource.h"

#include <optional>

LocalPane::LocalPane(const CTranslation& texts, LocalFiles& files)
    : PaneWindow(texts,
                 {IDC_LOCAL_PATH, IDC_LOCAL_BROWSE, IDC_LOCAL_ADDFOLDER, IDC_LOCAL_DELETE, IDC_LOCAL_GROUP,
                  IDC_LOCAL_LIST},
                 TextId::kLocalGroup),
      m_commands(files, *this)
{
}

void LocalPane::Browse()
{
    if (const std::optional<std::wstring> picked = Ui().BrowseForFolder(m_texts.Text(TextId::kBrowse)))
        m_commands.ShowPickedFolder(*picked);
}

void LocalPane::ShowRows(const LocalListing& listing)
{
    m_controls.FillRows(MakeListRows(listing, CurrentFileTime()));
}

void LocalPane::OpenFile(const std::wstring& path)
{
    Ui().ShellOpen(path);
}

void LocalPane::ReportFolderNotCreated(const std::wstring& path, const std::wstring& reason)
{
    Tell(FillPlaceholder(m_texts.Text(TextId::kLocalFolderNotCreated), path) + L"\n" + reason, MB_ICONEXCLAMATION);
}

void LocalPane::ReportDeleteProblems(const FailureReport& report)
{
    Tell(FailureMessage(m_texts, report, TextId::kEntriesNotDeleted), MB_ICONEXCLAMATION);
}

void LocalPane::ReportMissingFolder(const std::wstring& folder)
{
    Ui().ShowMessage(m_controls.Dialog(), FillPlaceholder(m_texts.Text(TextId::kLocalFolderMissing), folder),
                     m_texts.Text(TextId::kMessageCaption), MB_OK | MB_ICONEXCLAMATION);
}
