#include "ftppane/FtpFolderCommands.h"

#include "ftp/FtpPath.h"
#include "ftppane/FtpFolderNavigation.h"
#include "ftppane/ProfileRules.h"

FtpFolderCommands::FtpFolderCommands(FtpEngine& engine, ServerProfile& profile, FtpListing& listing,
                                     FtpPaneView& view)
    : m_engine(engine), m_profile(profile), m_listing(listing), m_view(view)
{
}

bool FtpFolderCommands::Refresh()
{
    m_view.ListingStarts();
    const bool listed = m_engine.ListFtpFolder(m_listing, m_profile.login, m_profile.folder);
    if (listed) {
        if (m_addFolder.IsActive())
            m_addFolder.SetSaved(FtpPathFieldText(m_profile));
        else
            m_view.SetPathText(FtpPathFieldText(m_profile));
        m_view.ShowRows(m_listing);
    } else {
        m_view.ReportListingFailure(m_engine.LastFailure());
    }
    m_view.ListingEnds();
    return listed;
}

void FtpFolderCommands::UseProfile(const ServerProfile& profile)
{
    m_profile = profile;
    if (Refresh())
        return;
    m_listing.Clear();
    m_view.ShowRows(m_listing);
    m_view.SetPathText(FtpPathFieldText(m_profile));
}

void FtpFolderCommands::Open(const PaneRow& row)
{
    if (row.kind != RowKind::Parent && row.kind != RowKind::Folder)
        return;
    const std::wstring previousFolder = m_profile.folder;
    m_profile.folder = row.kind == RowKind::Parent ? ParentFolderPath(previousFolder)
                                                   : SubFolderPath(previousFolder, row.name);
    RefreshOrGoBack(previousFolder, m_view.PathText());
}

void FtpFolderCommands::StartAddFolder()
{
    m_addFolder.Begin(m_view, m_view.PathText());
}

void FtpFolderCommands::ConfirmAddFolder()
{
    const std::wstring name = m_addFolder.End(m_view);
    const std::wstring path = SubFolderPath(m_profile.folder, name);
    if (!name.empty() && !m_engine.CreateFtpFolder(m_profile.login, path))
        m_view.ReportFolderNotCreated(path, m_engine.LastFailure());
    RefreshOrGoBack(m_profile.folder, m_addFolder.Saved());
}

void FtpFolderCommands::Delete(const std::vector<PaneRow>& rows)
{
    FailureReport report;
    for (const PaneRow& row : rows)
        if (!DeleteRow(row, report))
            report.AddFailed(JoinFtpPath(m_profile.folder, row.name), m_engine.LastFailure());
    RefreshOrGoBack(m_profile.folder, m_view.PathText());
    if (report.HasProblems())
        m_view.ReportDeleteProblems(report);
}

bool FtpFolderCommands::Rename(const PaneRow& row, const std::wstring& newName)
{
    if (row.kind != RowKind::File && row.kind != RowKind::Folder)
        return false;
    RenameProblem problem = CheckServerRename(row.name, newName);
    std::wstring reason;
    if (problem == RenameProblem::kNone) {
        switch (m_engine.RenameFtpEntry(m_profile.login, m_profile.folder, row.name, newName, reason)) {
        case FtpRenameOutcome::kRenamed: break;
        case FtpRenameOutcome::kNameExists: problem = RenameProblem::kExists; break;
        case FtpRenameOutcome::kFailed: problem = RenameProblem::kFailed; break;
        }
    }
    const bool renamed = AcceptRename(m_view, problem, row, newName, reason);
    if (renamed || problem == RenameProblem::kFailed)
        RefreshOrGoBack(m_profile.folder, m_view.PathText());
    return renamed;
}

void FtpFolderCommands::RefreshOrGoBack(const std::wstring& previousFolder, const std::wstring& previousField)
{
    if (Refresh())
        return;
    m_profile.folder = previousFolder;
    m_view.SetPathText(previousField);
}

bool FtpFolderCommands::DeleteRow(const PaneRow& row, FailureReport& report)
{
    if (row.kind == RowKind::File)
        return m_engine.DeleteFtpFile(m_profile.login, m_profile.folder, row.name);
    // The parent row names no entry on the server.
    if (row.kind != RowKind::Folder)
        return true;
    FtpDeleteProgress progress;
    progress.beforeDelete = [this](const std::wstring& path) { m_view.ShowDeleting(path); };
    progress.finished = [this] { m_view.ShowDeleting(std::wstring()); };
    FtpListing work;
    const bool deleted = m_engine.DeleteFtpFolderTree(m_profile.login, m_profile.folder, row.name, work, progress);
    report.AddTreeWalk(work);
    return deleted;
}
