#include "localpane/LocalPane.h"

#include "framework/UiSeam.h"
#include "i18n/CTranslation.h"
#include "localpane/DeleteToRecycleBin.h"
#include "localpane/LocalPath.h"
#include "localpane/RowKind.h"
#include "localpane/RowModel.h"
#include "localpane/SizeText.h"
#include "res/resource.h"
#include "settings/PowerClass.h"

#include <optional>
#include <vector>

namespace {
// The Browse button's caption while a new folder's name is typed; it is the
// same in every language.
const wchar_t* const kConfirmCaption = L"OK";
}  // namespace

LocalPane::LocalPane(CTranslation& texts, PowerClass& power) : m_texts(texts), m_power(power) {}

void LocalPane::Bind(HWND dialog)
{
    m_dialog = dialog;
    m_path.Attach(dialog, IDC_LOCAL_PATH);
    m_browse.Attach(dialog, IDC_LOCAL_BROWSE);
    m_addFolder.Attach(dialog, IDC_LOCAL_ADDFOLDER);
    m_delete.Attach(dialog, IDC_LOCAL_DELETE);
    m_group.Attach(dialog, IDC_LOCAL_GROUP);
    m_list.Attach(dialog, IDC_LOCAL_LIST);
}

void LocalPane::ApplyTexts()
{
    ShowModeCaptions();
    m_addFolder.SetText(m_texts.Text(100));
    m_delete.SetText(m_texts.Text(105));
}

void LocalPane::FillLocalList(const std::wstring& folder)
{
    // With painting on, a list view repaints for every inserted row, which
    // makes a large folder take seconds instead of a fraction of one.
    m_list.SuspendRedraw();
    m_list.DeleteAll();
    m_list.InsertRow(0, kParentRowText, kParentImage);
    m_power.ListFolder(folder);
    int row = 1;
    for (const std::wstring& name : m_power.FolderNames())
        m_list.InsertRow(row++, name, kFolderImage);
    // The sizes come from the directory entries the listing read, rather than
    // from one status query per file.
    const std::vector<std::wstring>& names = m_power.FileNames();
    const std::vector<std::uint64_t>& sizes = m_power.FileSizes();
    for (size_t i = 0; i < names.size(); ++i) {
        const std::uint64_t size = i < sizes.size() ? sizes[i] : 0;
        m_list.InsertRow(row, names[i], kFileImage);
        m_list.SetCellText(row, 1, FormatSizeText(size, m_texts.Text(SizeUnitTextNumber(size))));
        ++row;
    }
    m_list.ResumeRedraw();
    if (m_addFolderMode)
        m_savedFolder = folder;
    else
        m_path.SetText(WithFolderMarker(folder));
}

std::wstring LocalPane::CurrentFolder() const
{
    return m_addFolderMode ? m_savedFolder : StripFolderMarker(m_path.Text());
}

void LocalPane::OnBrowse()
{
    if (m_addFolderMode) {
        CreateTypedFolder();
        return;
    }
    const std::optional<std::wstring> picked = Ui().BrowseForFolder(m_texts.Text(85));
    if (!picked || picked->empty())
        return;
    const std::wstring text = PickedFolderText(*picked);
    m_path.SetText(text);
    FillLocalList(StripFolderMarker(text));
}

void LocalPane::OnDoubleClick()
{
    const int row = m_list.SelectionMark();
    if (row < 0)
        return;
    const std::wstring folder = CurrentFolder();
    const std::wstring name = m_list.CellText(row, 0);
    switch (KindOfRow(m_list.Image(row), name)) {
    case RowKind::Parent:
        if (const std::optional<std::wstring> parent = ParentLocalFolder(folder))
            FillLocalList(*parent);
        break;
    case RowKind::Folder:
        FillLocalList(JoinLocal(folder, name));
        break;
    case RowKind::File:
        Ui().ShellOpen(JoinLocal(folder, name));
        break;
    case RowKind::Unknown:
        break;
    }
}

void LocalPane::OnAddFolder()
{
    if (m_addFolderMode)
        return;
    m_savedFolder = CurrentFolder();
    m_path.SetText(std::wstring());
    m_list.Show(false);
    m_addFolderMode = true;
    ShowModeCaptions();
    m_addFolder.Show(false);
    m_delete.Show(false);
}

void LocalPane::OnDelete()
{
    if (m_list.SelectionMark() < 0) {
        Ui().ShowMessage(m_dialog, m_texts.Text(60), m_texts.Text(5), MB_OK);
        return;
    }
    const std::wstring folder = CurrentFolder();
    std::vector<std::wstring> doomed;
    for (int row : m_list.SelectedRows()) {
        const std::wstring name = m_list.CellText(row, 0);
        if (KindOfRow(m_list.Image(row), name) != RowKind::Parent)
            doomed.push_back(JoinLocal(folder, name));
    }
    for (const std::wstring& path : doomed)
        DeleteToRecycleBin(path, true);
    FillLocalList(folder);
}

void LocalPane::CreateTypedFolder()
{
    m_list.Show(true);
    m_addFolderMode = false;
    ShowModeCaptions();
    m_addFolder.Show(true);
    m_delete.Show(true);
    const std::wstring name = m_path.Text();
    if (!name.empty())
        ::CreateDirectoryW(JoinLocal(m_savedFolder, name).c_str(), nullptr);
    FillLocalList(m_savedFolder);
}

void LocalPane::ShowModeCaptions()
{
    m_group.SetText(m_texts.Text(m_addFolderMode ? 80 : 70));
    m_browse.SetText(m_addFolderMode ? std::wstring(kConfirmCaption) : m_texts.Text(85));
}
