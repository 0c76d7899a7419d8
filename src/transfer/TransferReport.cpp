#include "transfer/TransferReport.h"

#include "i18n/LanguageFile.h"

void TransferReport::AddFailed(const std::wstring& name)
{
    ++m_failedCount;
    if (m_failedNames.size() < kMaxNamesShown)
        m_failedNames.push_back(name);
}

void TransferReport::AddUnlistedFolders(const std::vector<std::wstring>& folders)
{
    for (const std::wstring& folder : folders)
        if (m_unlisted.size() < kMaxNamesShown)
            m_unlisted.push_back(folder);
}

std::wstring TransferReport::Message(const std::wstring& failedHeading, const std::wstring& unlistedHeading) const
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
    return message;
}
