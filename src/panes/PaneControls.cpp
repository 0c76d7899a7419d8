#include "panes/PaneControls.h"

#include "framework/UiSeam.h"
#include "ftp/FtpEngine.h"
#include "i18n/CTranslation.h"
#include "panes/FailureReport.h"
#include "panes/RowModel.h"
#include "panes/SizeText.h"

namespace {
// The Browse button's caption while a new folder's name is typed; it is the
// same in every language.
const wchar_t* const kConfirmCaption = L"OK";
}  // namespace

std::wstring FailureMessage(const CTranslation& texts, const FailureReport& report, TextId failedHeading)
{
    return report.Message(texts.Text(failedHeading), texts.Text(TextId::kFoldersNotRead),
                          FillPlaceholder(texts.Text(TextId::kFolderLimitReached), std::to_wstring(kMaxTreeFolders)));
}

PaneControls::PaneControls(const CTranslation& texts, const PaneControlIds& ids, TextId groupText)
    : m_texts(texts), m_ids(ids), m_groupText(groupText)
{
}

void PaneControls::Bind(HWND dialog)
{
    m_dialog = dialog;
    m_path.Attach(dialog, m_ids.path);
    m_browse.Attach(dialog, m_ids.browse);
    m_addFolder.Attach(dialog, m_ids.addFolder);
    m_remove.Attach(dialog, m_ids.remove);
    m_group.Attach(dialog, m_ids.group);
    m_list.Attach(dialog, m_ids.list);
}

void PaneControls::ApplyTexts(bool adding) const
{
    m_group.SetText(m_texts.Text(adding ? TextId::kNewFolderPrompt : m_groupText));
    m_browse.SetText(adding ? std::wstring(kConfirmCaption) : m_texts.Text(TextId::kBrowse));
    m_addFolder.SetText(m_texts.Text(TextId::kNewFolder));
    m_remove.SetText(m_texts.Text(TextId::kDelete));
}

void PaneControls::ShowAddFolderMode(bool adding) const
{
    m_list.Show(!adding);
    ApplyTexts(adding);
    m_addFolder.Show(!adding);
    m_remove.Show(!adding);
}

void PaneControls::FillRows(const std::vector<std::wstring>& folderNames, const std::vector<std::wstring>& fileNames,
                            const std::vector<std::uint64_t>& fileSizes) const
{
    // With painting on, a list view repaints for every inserted row, which
    // makes a large folder take seconds instead of a fraction of one.
    m_list.SuspendRedraw();
    m_list.DeleteAll();
    m_list.InsertRow(0, kParentRowText, kParentImage);
    int row = 1;
    for (const std::wstring& name : folderNames)
        m_list.InsertRow(row++, name, kFolderImage);
    for (size_t i = 0; i < fileNames.size(); ++i, ++row) {
        const std::uint64_t size = i < fileSizes.size() ? fileSizes[i] : 0;
        m_list.InsertRow(row, fileNames[i], kFileImage);
        m_list.SetCellText(row, 1, FormatSizeText(size, m_texts.Text(SizeUnitText(size))));
    }
    m_list.ResumeRedraw();
}

PaneRow PaneControls::RowAt(int row, ParentBy parentBy) const
{
    const std::wstring name = m_list.CellText(row, 0);
    const int image = m_list.Image(row);
    if (parentBy == ParentBy::kImageOrText)
        return {name, KindOfRow(image, name)};
    const RowKind kind = image == kParentImage   ? RowKind::Parent
                         : image == kFolderImage ? RowKind::Folder
                         : image == kFileImage   ? RowKind::File
                                                 : RowKind::Unknown;
    return {name, kind};
}

std::optional<PaneRow> PaneControls::MarkedRow(ParentBy parentBy) const
{
    const int row = m_list.SelectionMark();
    if (row < 0 || row >= m_list.Count())
        return std::nullopt;
    return RowAt(row, parentBy);
}

std::vector<PaneRow> PaneControls::SelectedRows(ParentBy parentBy) const
{
    std::vector<PaneRow> rows;
    for (int row : m_list.SelectedRows())
        rows.push_back(RowAt(row, parentBy));
    return rows;
}

bool PaneControls::CheckSelectionForDelete() const
{
    if (m_list.SelectionMark() != -1)
        return true;
    Ui().ShowMessage(m_dialog, m_texts.Text(TextId::kSelectToDelete), m_texts.Text(TextId::kMessageCaption), MB_OK);
    return false;
}
