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
    Refresh();
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
    std::vector<FtpFailedEntry> failed;
    for (const PaneRow& row : rows)
        if (!DeleteRow(row))
            failed.push_back({JoinFtpPath(m_profile.folder, row.name), m_engine.LastFailure()});
    if (!failed.empty())
        m_view.ReportNotDeleted(failed);
    RefreshOrGoBack(m_profile.folder, m_view.PathText());
}

void FtpFolderCommands::RefreshOrGoBack(const std::wstring& previousFolder, const std::wstring& previousField)
{
    if (Refresh())
        return;
    m_profile.folder = previousFolder;
    m_view.SetPathText(previousField);
}

bool FtpFolderCommands::DeleteRow(const PaneRow& row)
{
    if (row.kind == RowKind::File)
        return m_engine.DeleteFtpFile(m_profile.login, m_profile.folder, row.name);
    // The parent row names no entry on the server.
    if (row.kind != RowKind::Folder)
        return true;
    FtpDeleteProgress progress;
    progress.beforeDelete = [this](const std::wstring& path) { m_view.ShowDeleting(path); };
    progress.finished = [this] { m_view.ShowDeleting(std::wstring()); };
    return m_engine.DeleteFtpFolderTree(m_profile.login, m_profile.folder, row.name, m_listing, progress);
}
