#include "ftppane/FtpFolderCommands.h"

#include "ftp/FtpPath.h"
#include "ftppane/FtpFolderNavigation.h"
#include "ftppane/ProfileRules.h"

#include <memory>

FtpFolderCommands::FtpFolderCommands(FtpJobs& jobs, ServerProfile& profile, FtpListing& listing, FtpPaneView& view)
    : m_jobs(jobs), m_profile(profile), m_listing(listing), m_view(view)
{
}

FtpFolderResult FtpFolderCommands::ListOn(FtpEngine& engine, const FtpLogin& login, const std::wstring& folder)
{
    FtpFolderResult result;
    result.listed = engine.ListFtpFolder(result.listing, login, folder);
    result.failure = engine.LastFailure();
    return result;
}

bool FtpFolderCommands::Apply(const std::wstring& folder, const FtpFolderResult& result)
{
    if (!result.listed) {
        // A stop leaves everything as it was, without a word.
        if (result.failure.kind != FtpFailureKind::kNone)
            m_view.ReportListingFailure(result.failure);
        return false;
    }
    m_profile.folder = folder;
    m_listing = result.listing;
    if (m_addFolder.IsActive())
        m_addFolder.SetSaved(FtpPathFieldText(m_profile));
    else
        m_view.SetPathText(FtpPathFieldText(m_profile));
    m_view.ShowRows(m_listing);
    return true;
}

void FtpFolderCommands::ShowListing(const std::wstring& folder, const FtpFolderResult& result)
{
    Apply(folder, result);
}

bool FtpFolderCommands::Refresh()
{
    const ServerProfile profile = m_profile;
    return m_jobs.Start(FtpWorkKind::kListing, [this, profile](FtpJobContext& context) -> FtpApply {
        const FtpFolderResult result = ListOn(context.Engine(), profile.login, profile.folder);
        return [this, profile, result] { Apply(profile.folder, result); };
    });
}

void FtpFolderCommands::UseProfile(const ServerProfile& profile)
{
    m_profile = profile;
    m_jobs.Start(FtpWorkKind::kListing, [this, profile](FtpJobContext& context) -> FtpApply {
        const FtpFolderResult result = ListOn(context.Engine(), profile.login, profile.folder);
        return [this, profile, result] {
            if (Apply(profile.folder, result))
                return;
            m_listing.Clear();
            m_view.ShowRows(m_listing);
            m_view.SetPathText(FtpPathFieldText(m_profile));
        };
    });
}

void FtpFolderCommands::Open(const PaneRow& row)
{
    if (row.kind == RowKind::File && m_openFile) {
        m_openFile(row);
        return;
    }
    if (row.kind != RowKind::Parent && row.kind != RowKind::Folder)
        return;
    const std::wstring folder =
        row.kind == RowKind::Parent ? ParentFolderPath(m_profile.folder) : SubFolderPath(m_profile.folder, row.name);
    RunThenList(FtpWorkKind::kListing, {}, folder, m_view.PathText());
}

void FtpFolderCommands::StartAddFolder()
{
    m_addFolder.Begin(m_view, m_view.PathText());
}

void FtpFolderCommands::ConfirmAddFolder()
{
    const std::wstring name = m_addFolder.End(m_view);
    const std::wstring path = SubFolderPath(m_profile.folder, name);
    const FtpLogin login = m_profile.login;
    auto failure = std::make_shared<std::optional<FtpFailure>>();
    RunThenList(
        FtpWorkKind::kCreating,
        [name, path, login, failure](FtpJobContext& context) {
            if (!name.empty() && !context.Engine().CreateFtpFolder(login, path))
                *failure = context.Engine().LastFailure();
        },
        m_profile.folder, m_addFolder.Saved(),
        [this, name, path, failure] {
            if (*failure)
                m_view.ReportFolderNotCreated(path, **failure);
            else if (!name.empty())
                m_view.ShowDone(FtpWorkKind::kCreating, 1, name);
        });
}

void FtpFolderCommands::Delete(const std::vector<PaneRow>& rows)
{
    const FtpLogin login = m_profile.login;
    const std::wstring folder = m_profile.folder;
    auto report = std::make_shared<FailureReport>();
    auto stopped = std::make_shared<bool>(false);
    auto deletedCount = std::make_shared<int>(0);
    RunThenList(
        FtpWorkKind::kDeleting,
        [this, rows, login, folder, report, stopped, deletedCount](FtpJobContext& context) {
            FtpEngine& engine = context.Engine();
            for (const PaneRow& row : rows) {
                if (context.StopRequested())
                    break;
                bool deleted = true;
                if (row.kind == RowKind::File) {
                    deleted = engine.DeleteFtpFile(login, folder, row.name);
                } else if (row.kind == RowKind::Folder) {
                    FtpDeleteProgress progress;
                    progress.beforeDelete = [this, &context](const std::wstring& path) {
                        context.Post([this, path] { m_view.ShowDeleting(path); });
                    };
                    FtpListing work;
                    deleted = engine.DeleteFtpFolderTree(login, folder, row.name, work, progress);
                    report->AddTreeWalk(work);
                }
                // The parent row names no entry on the server.
                if (!deleted && !context.StopRequested())
                    report->AddFailed(JoinFtpPath(folder, row.name), engine.LastFailure());
                else if (deleted && (row.kind == RowKind::File || row.kind == RowKind::Folder))
                    ++*deletedCount;
            }
            *stopped = context.StopRequested();
        },
        folder, m_view.PathText(),
        [this, report, stopped, deletedCount] {
            m_view.ShowDone(FtpWorkKind::kDeleting, *deletedCount, std::wstring());
            if (report->HasProblems())
                m_view.ReportDeleteProblems(*report);
            // A stopped deletion was not listed: what is left shows now.
            if (*stopped)
                Refresh();
        });
}

bool FtpFolderCommands::Rename(const PaneRow& row, const std::wstring& newName)
{
    if (row.kind != RowKind::File && row.kind != RowKind::Folder)
        return false;
    const RenameProblem problem = CheckServerRename(row.name, newName);
    if (problem != RenameProblem::kNone) {
        AcceptRename(m_view, problem, row, newName, std::wstring());
        return false;
    }
    const FtpLogin login = m_profile.login;
    const std::wstring folder = m_profile.folder;
    struct Outcome {
        FtpRenameOutcome outcome = FtpRenameOutcome::kFailed;
        std::wstring reason;
    };
    auto outcome = std::make_shared<Outcome>();
    RunThenList(
        FtpWorkKind::kRenaming,
        [row, newName, login, folder, outcome](FtpJobContext& context) {
            outcome->outcome =
                context.Engine().RenameFtpEntry(login, folder, row.name, newName, outcome->reason);
        },
        folder, m_view.PathText(),
        [this, row, newName, outcome] {
            RenameProblem problem = RenameProblem::kNone;
            if (outcome->outcome == FtpRenameOutcome::kNameExists)
                problem = RenameProblem::kExists;
            else if (outcome->outcome == FtpRenameOutcome::kNotSendable)
                problem = RenameProblem::kNotSendable;
            else if (outcome->outcome == FtpRenameOutcome::kFailed)
                problem = RenameProblem::kFailed;
            if (AcceptRename(m_view, problem, row, newName, outcome->reason)) {
                m_view.SelectName(newName);
                m_view.ShowDone(FtpWorkKind::kRenaming, 1, newName);
            }
        });
    return false;
}

void FtpFolderCommands::RunThenList(FtpWorkKind kind, std::function<void(FtpJobContext&)> steps,
                                    const std::wstring& folder, const std::wstring& previousField, FtpApply after)
{
    const FtpLogin login = m_profile.login;
    m_jobs.Start(kind, [this, steps, login, folder, previousField, after](FtpJobContext& context) -> FtpApply {
        if (steps)
            steps(context);
        // A stopped job lists nothing: the user asked for it to end.
        FtpFolderResult result;
        if (!context.StopRequested())
            result = ListOn(context.Engine(), login, folder);
        return [this, folder, previousField, after, result] {
            if (!Apply(folder, result) && !m_addFolder.IsActive())
                m_view.SetPathText(previousField);
            if (after)
                after();
        };
    });
}
