#include "panes/FailureReport.h"

#include "i18n/LanguageFile.h"

void FailureReport::AddFailed(const std::wstring& name)
{
    ++m_failedCount;
    if (m_failedNames.size() < kMaxNamesShown)
        m_failedNames.push_back(name);
}

void FailureReport::AddUnlistedFolders(const std::vector<std::wstring>& folders)
{
    for (const std::wstring& folder : folders)
        if (m_unlisted.size() < kMaxNamesShown)
            m_unlisted.push_back(folder);
}

void FailureReport::AddTreeWalk(const FtpListing& walk)
{
    AddUnlistedFolders(walk.unlistedFolders);
    for (const std::wstring& name : walk.unusableNames)
        AddFailed(name);
    m_limitReached = m_limitReached || walk.folderLimitReached;
}

std::wstring FailureReport::Message(const std::wstring& failedHeading, const std::wstring& unlistedHeading,
                                    const std::wstring& limitNote) const
{
    std::wstring message;
    if (m_failedCount > 0) {
        message = FillPlaceholder(failedHeading, std::to_wstring(m_failedCount));
        for (const std::wstring& name : m_failedNames)
            message += L"\n" + name;
    }
    if (!m_unlisted.empty()) {
        if (!message.empty())
            message += L"\n\n";
        message += unlistedHeading;
        for (const std::wstring& folder : m_unlisted)
            message += L"\n" + folder;
    }
    if (m_limitReached && !limitNote.empty())
        message += (message.empty() ? L"" : L"\n\n") + limitNote;
    return message;
}
