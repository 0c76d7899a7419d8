#include "transfer/TransferReport.h"

#include "i18n/LanguageFile.h"

void TransferReport::AddFailed(const std::wstring& name, const FtpFailure& reason)
{
    ++m_failedCount;
    if (m_failedNames.size() < kMaxNamesShown)
        m_failedNames.push_back({name, reason});
}

void TransferReport::AddUnlistedFolders(const std::vector<std::wstring>& folders,
                                        const std::vector<FtpFailure>& reasons)
{
    for (std::size_t i = 0; i < folders.size(); ++i)
        if (m_unlisted.size() < kMaxNamesShown)
            m_unlisted.push_back({folders[i], i < reasons.size() ? reasons[i] : FtpFailure()});
}

std::wstring TransferReport::Message(const std::wstring& failedHeading, const std::wstring& unlistedHeading,
                                     const FailureWords& words) const
{
    std::wstring message;
    if (m_failedCount > 0)
        message = FillPlaceholder(failedHeading, std::to_wstring(m_failedCount)) + FailedEntryLines(m_failedNames, words);
    if (!m_unlisted.empty()) {
        if (!message.empty())
            message += L"\n\n";
        message += unlistedHeading + FailedEntryLines(m_unlisted, words);
    }
    return message;
}
