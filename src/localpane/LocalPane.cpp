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
                 TextId::kLocalGroup, PaneControls::ParentBy::kImageOrText),
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

void LocalPane::ReportMissingFolder(const std::wstring& folder)
{
    Ui().ShowMessage(m_controls.Dialog(), FillPlaceholder(m_texts.Text(TextId::kLocalFolderMissing), folder),
                     m_texts.Text(TextId::kMessageCaption), MB_OK | MB_ICONEXCLAMATION);
}
