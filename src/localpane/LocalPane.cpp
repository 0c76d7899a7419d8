#include "localpane/LocalPane.h"

#include "i18n/CTranslation.h"
#include "localpane/LocalPath.h"
#include "localpane/RowModel.h"
#include "localpane/SizeText.h"
#include "res/resource.h"
#include "settings/PowerClass.h"

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
    m_group.SetText(m_texts.Text(70));
    m_browse.SetText(m_texts.Text(85));
    m_addFolder.SetText(m_texts.Text(100));
    m_delete.SetText(m_texts.Text(105));
}

void LocalPane::FillLocalList(const std::wstring& folder)
{
    m_list.SuspendRedraw();
    m_list.DeleteAll();
    m_list.InsertRow(0, kParentRowText, kParentImage);
    m_power.ListFolder(folder);
    int row = 1;
    for (const std::wstring& name : m_power.FolderNames())
        m_list.InsertRow(row++, name, kFolderImage);
    for (const std::wstring& name : m_power.FileNames()) {
        m_list.InsertRow(row, name, kFileImage);
        const std::uint64_t size = FileSizeOf(JoinLocal(folder, name));
        m_list.SetCellText(row, 1, FormatSizeText(size, m_texts.Text(SizeUnitTextNumber(size))));
        ++row;
    }
    m_list.ResumeRedraw();
    m_path.SetText(WithFolderMarker(folder));
}

std::wstring LocalPane::CurrentFolder() const
{
    return m_addFolderMode ? m_savedFolder : StripFolderMarker(m_path.Text());
}

std::uint64_t LocalPane::FileSizeOf(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return 0;
    return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

void LocalPane::OnBrowse() {}

void LocalPane::OnDoubleClick() {}

void LocalPane::OnAddFolder() {}

void LocalPane::OnDelete() {}
