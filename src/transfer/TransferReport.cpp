#include "transfer/TransferReport.h"

namespace {

std::wstring Fill(std::wstring text, const std::wstring& value)
{
    const std::size_t at = text.find(L"%1");
    if (at != std::wstring::npos)
        text.replace(at, 2, value);
    return text;
}

}  // namespace

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
        message = Fill(failedHeading, std::to_wstring(m_failedCount));
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
