#include "localpane/LocalFolderCommands.h"

#include "localpane/LocalPath.h"

#include <optional>

LocalFolderCommands::LocalFolderCommands(LocalFiles& files, LocalPaneView& view) : m_files(files), m_view(view) {}

void LocalFolderCommands::FillLocalList(const std::wstring& folder)
{
    m_view.ShowRows(m_files.ListFolder(folder));
    if (m_addFolder.IsActive())
        m_addFolder.SetSaved(folder);
    else
        m_view.SetPathText(WithFolderMarker(folder));
}

std::wstring LocalFolderCommands::CurrentFolder() const
{
    return m_addFolder.IsActive() ? m_addFolder.Saved() : StripFolderMarker(m_view.PathText());
}

void LocalFolderCommands::ShowPickedFolder(const std::wstring& pickedPath)
{
    if (pickedPath.empty())
        return;
    const std::wstring text = PickedFolderText(pickedPath);
    m_view.SetPathText(text);
    FillLocalList(StripFolderMarker(text));
}

void LocalFolderCommands::Open(const PaneRow& row)
{
    const std::wstring folder = CurrentFolder();
    switch (row.kind) {
    case RowKind::Parent:
        if (const std::optional<std::wstring> parent = ParentLocalFolder(folder))
            FillLocalList(*parent);
        break;
    case RowKind::Folder:
        FillLocalList(JoinLocal(folder, row.name));
        break;
    case RowKind::File:
        m_view.OpenFile(JoinLocal(folder, row.name));
        break;
    case RowKind::Unknown:
        break;
    }
}

void LocalFolderCommands::StartAddFolder()
{
    m_addFolder.Begin(m_view, CurrentFolder());
}

void LocalFolderCommands::ConfirmAddFolder()
{
    const std::wstring name = m_addFolder.End(m_view);
    if (!name.empty())
        m_files.CreateFolder(JoinLocal(m_addFolder.Saved(), name));
    FillLocalList(m_addFolder.Saved());
}

void LocalFolderCommands::Delete(const std::vector<PaneRow>& rows)
{
    const std::wstring folder = CurrentFolder();
    for (const PaneRow& row : rows)
        if (row.kind != RowKind::Parent)
            m_files.DeleteToRecycleBin(JoinLocal(folder, row.name));
    FillLocalList(folder);
}
