#include "panes/FailureReport.h"

#include "i18n/LanguageFile.h"

void FailureReport::AddFailed(const std::wstring& name, const FtpFailure& reason)
{
    ++m_failedCount;
    if (m_failedNames.size() < kMaxNamesShown)
        m_failedNames.push_back({name, reason});
}

void FailureReport::AddNotTransferred(const std::wstring& name)
{
    m_stopped = true;
    ++m_notTransferredCount;
    if (m_notTransferred.size() < kMaxNamesShown)
        m_notTransferred.push_back({name, FtpFailure()});
}

void FailureReport::AddUnlistedFolders(const std::vector<std::wstring>& folders,
                                       const std::vector<FtpFailure>& reasons)
{
    for (std::size_t i = 0; i < folders.size(); ++i)
        if (m_unlisted.size() < kMaxNamesShown)
            m_unlisted.push_back({folders[i], i < reasons.size() ? reasons[i] : FtpFailure()});
}

void FailureReport::AddTreeWalk(const FtpListing& walk)
{
    AddUnlistedFolders(walk.unlistedFolders, walk.unlistedReasons);
    for (const std::wstring& name : walk.unusableNames)
        AddFailed(name);
    m_limitReached = m_limitReached || walk.folderLimitReached;
}

std::wstring FailureReport::Message(const std::wstring& failedHeading, const std::wstring& unlistedHeading,
                                    const FailureWords& words, const std::wstring& limitNote,
                                    const std::wstring& stoppedHeading) const
{
    std::wstring message;
    if (m_stopped && !stoppedHeading.empty())
        message = FillPlaceholder(stoppedHeading, std::to_wstring(m_notTransferredCount)) +
                  FailedEntryLines(m_notTransferred, words);
    if (m_failedCount > 0) {
        if (!message.empty())
            message += L"\n\n";
        message += FillPlaceholder(failedHeading, std::to_wstring(m_failedCount)) + FailedEntryLines(m_failedNames, words);
    }
    if (!m_unlisted.empty()) {
        if (!message.empty())
            message += L"\n\n";
        message += unlistedHeading + FailedEntryLines(m_unlisted, words);
    }
    if (m_limitReached && !limitNote.empty())
        message += (message.empty() ? L"" : L"\n\n") + limitNote;
    return message;
}
