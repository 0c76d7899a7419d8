#include "localpane/LocalFolderCommands.h"

#include "ftp/SafeLocalName.h"
#include "localpane/LocalPath.h"
#include "panes/FailureReport.h"

#include <optional>

LocalFolderCommands::LocalFolderCommands(LocalFiles& files, LocalPaneView& view) : m_files(files), m_view(view) {}

void LocalFolderCommands::FillLocalList(const std::wstring& folder)
{
    m_view.ShowRows(m_files.ListFolder(folder));
    m_listed = folder;
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

void LocalFolderCommands::ShowTypedFolder()
{
    const std::wstring typed = StripFolderMarker(m_view.PathText());
    if (typed.empty())
        return;
    const std::wstring folder = StripFolderMarker(PickedFolderText(typed));
    // FileInfo names files only: a file's path is no folder to show.
    if (m_files.Exists(folder) && !m_files.FileInfo(folder)) {
        ShowPickedFolder(typed);
        return;
    }
    m_view.ReportMissingFolder(typed);
    m_view.SetPathText(m_listed.empty() ? std::wstring() : WithFolderMarker(m_listed));
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
    const std::wstring path = JoinLocal(m_addFolder.Saved(), name);
    std::wstring reason;
    const bool failed = !name.empty() && !m_files.CreateFolder(path, reason);
    FillLocalList(m_addFolder.Saved());
    if (failed)
        m_view.ReportFolderNotCreated(path, reason);
}

void LocalFolderCommands::Delete(const std::vector<PaneRow>& rows)
{
    const std::wstring folder = CurrentFolder();
    FailureReport report;
    for (const PaneRow& row : rows) {
        std::wstring reason;
        if (row.kind != RowKind::Parent && !m_files.DeleteToRecycleBin(JoinLocal(folder, row.name), reason))
            report.AddFailed(row.name, {FtpFailureKind::kSystem, 0, reason, false});
    }
    FillLocalList(folder);
    if (report.HasProblems())
        m_view.ReportDeleteProblems(report);
}

bool LocalFolderCommands::DeletesForGood(const std::vector<PaneRow>& rows)
{
    const std::wstring folder = CurrentFolder();
    for (const PaneRow& row : rows)
        if (row.kind != RowKind::Parent && !m_files.GoesToRecycleBin(JoinLocal(folder, row.name)))
            return true;
    return false;
}

bool LocalFolderCommands::Refresh()
{
    FillLocalList(CurrentFolder());
    return true;
}

bool LocalFolderCommands::Rename(const PaneRow& row, const std::wstring& newName)
{
    if (row.kind != RowKind::File && row.kind != RowKind::Folder)
        return false;
    const std::wstring folder = CurrentFolder();
    const std::wstring target = JoinLocal(folder, newName);
    RenameProblem problem = CheckLocalRename(row.name, newName);
    // A change of case alone names the entry itself.
    if (problem == RenameProblem::kNone && !SameNameIgnoringCase(row.name, newName) && m_files.Exists(target))
        problem = RenameProblem::kExists;
    std::wstring reason;
    if (problem == RenameProblem::kNone && !m_files.Rename(JoinLocal(folder, row.name), target, reason))
        problem = RenameProblem::kFailed;
    const bool renamed = AcceptRename(m_view, problem, row, newName, reason);
    // After a failure too: the entry may have gone meanwhile.
    if (renamed || problem == RenameProblem::kFailed)
        FillLocalList(folder);
    return renamed;
}
