#include "panes/RenameRules.h"

#include "ftp/FtpPath.h"
#include "ftp/SafeLocalName.h"

namespace {

RenameProblem CheckCommon(const std::wstring& oldName, const std::wstring& newName)
{
    if (newName.empty())
        return RenameProblem::kEmpty;
    return newName == oldName ? RenameProblem::kUnchanged : RenameProblem::kNone;
}

}  // namespace

RenameProblem CheckLocalRename(const std::wstring& oldName, const std::wstring& newName)
{
    const RenameProblem problem = CheckCommon(oldName, newName);
    if (problem != RenameProblem::kNone)
        return problem;
    return IsSafeLocalName(newName) ? RenameProblem::kNone : RenameProblem::kForbiddenLocal;
}

RenameProblem CheckServerRename(const std::wstring& oldName, const std::wstring& newName)
{
    const RenameProblem problem = CheckCommon(oldName, newName);
    if (problem != RenameProblem::kNone)
        return problem;
    return IsUsableEntryName(newName) ? RenameProblem::kNone : RenameProblem::kForbiddenServer;
}
