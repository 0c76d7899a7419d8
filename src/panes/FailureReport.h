// What went wrong in one transfer batch or deletion, and the one message that
// tells the user at its end: how many entries failed, the first of their
// names each with its reason, the remote folders a tree walk could not read,
// and whether it met its limit of folders.
#pragma once

#include "ftp/FtpFailure.h"
#include "ftp/FtpListing.h"

#include <cstddef>
#include <string>
#include <vector>

class FailureReport {
public:
    // More names would make the message box taller than the screen.
    static constexpr std::size_t kMaxNamesShown = 10;

    void AddFailed(const std::wstring& name, const FtpFailure& reason = FtpFailure());
    // The folders with their reasons at the same positions.
    void AddUnlistedFolders(const std::vector<std::wstring>& folders, const std::vector<FtpFailure>& reasons);
    // What a tree walk could not take: its unread folders, the entries whose
    // names reach no entry (they count as failed) and its folder limit.
    void AddTreeWalk(const FtpListing& walk);

    // A stopped batch: the files it did not transfer (skipped ones aside).
    void AddNotTransferred(const std::wstring& name);

    int FailedCount() const { return m_failedCount; }
    // What a batch moved and left alone, for the status line's outcome.
    void SetMoved(int moved, int skipped)
    {
        m_moved = moved;
        m_skipped = skipped;
    }
    int MovedCount() const { return m_moved; }
    int SkippedCount() const { return m_skipped; }
    bool WasStopped() const { return m_stopped; }
    bool HasProblems() const { return m_failedCount > 0 || !m_unlisted.empty() || m_limitReached || m_stopped; }

    // failedHeading holds %1 for the number of failed entries; the names follow
    // one per line, each with its reason on the next line, then
    // unlistedHeading and the folders, then limitNote when a walk met its
    // limit; before all of them, stoppedHeading (%1: how many) with the files
    // a stopped batch did not transfer. Empty when there were no problems.
    std::wstring Message(const std::wstring& failedHeading, const std::wstring& unlistedHeading,
                         const FailureWords& words, const std::wstring& limitNote = std::wstring(),
                         const std::wstring& stoppedHeading = std::wstring()) const;

private:
    int m_moved = 0;
    int m_skipped = 0;
    bool m_limitReached = false;
    bool m_stopped = false;
    int m_notTransferredCount = 0;
    std::vector<FtpFailedEntry> m_notTransferred;
    int m_failedCount = 0;
    std::vector<FtpFailedEntry> m_failedNames;
    std::vector<FtpFailedEntry> m_unlisted;
};
