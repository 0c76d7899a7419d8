// What went wrong in one transfer batch, and the one message that tells the
// user at its end: how many files failed, the first of their names, and the
// remote folders a tree walk could not read, each with its reason.
#pragma once

#include "ftp/FtpFailure.h"

#include <cstddef>
#include <string>
#include <vector>

class TransferReport {
public:
    // More names would make the message box taller than the screen.
    static constexpr std::size_t kMaxNamesShown = 10;

    void AddFailed(const std::wstring& name, const FtpFailure& reason = FtpFailure());
    // The folders with their reasons at the same positions.
    void AddUnlistedFolders(const std::vector<std::wstring>& folders, const std::vector<FtpFailure>& reasons);

    int FailedCount() const { return m_failedCount; }
    bool HasProblems() const { return m_failedCount > 0 || !m_unlisted.empty(); }

    // failedHeading holds %1 for the number of failed files; the names follow
    // one per line, each with its reason on the next line, then
    // unlistedHeading and the folders. Empty when the batch had no problems.
    std::wstring Message(const std::wstring& failedHeading, const std::wstring& unlistedHeading,
                         const FailureWords& words) const;

private:
    int m_failedCount = 0;
    std::vector<FtpFailedEntry> m_failedNames;
    std::vector<FtpFailedEntry> m_unlisted;
};
