#include "transfer/OpenedCopies.h"

#include "ftp/SafeLocalName.h"

#include <algorithm>
#include <cwchar>

namespace {

std::wstring Escaped(wchar_t c)
{
    wchar_t text[8] = {};
    std::swprintf(text, 8, L"%%%02X", static_cast<unsigned>(c) & 0xFFFFu);
    return text;
}

std::wstring SafePart(const std::wstring& part)
{
    std::wstring safe;
    for (wchar_t c : part)
        safe += (c < 32 || std::wcschr(L"\\/:*?\"<>|%", c)) ? Escaped(c) : std::wstring(1, c);
    // Escaping only the last character also keeps "." and ".." apart from the
    // folders they would name.
    if (!safe.empty() && (safe.back() == L'.' || safe.back() == L' '))
        safe = safe.substr(0, safe.size() - 1) + Escaped(safe.back());
    // What is still unsafe is a device name (CON, LPT1.txt); escaping its
    // first letter makes it an ordinary name.
    if (!safe.empty() && !IsSafeLocalName(safe))
        safe = Escaped(safe[0]) + safe.substr(1);
    return safe.empty() ? L"%" : safe;
}

std::wstring ServerPart(const std::wstring& serverName)
{
    const std::wstring prefix = L"ftp://";
    if (serverName.size() >= prefix.size() &&
        std::equal(prefix.begin(), prefix.end(), serverName.begin(),
                   [](wchar_t a, wchar_t b) { return a == (b >= L'A' && b <= L'Z' ? b + 32 : b); }))
        return serverName.substr(prefix.size());
    return serverName;
}

}  // namespace

std::wstring OpenedCopyFolder(const std::wstring& root, const FtpLogin& login, const std::wstring& ftpFolder)
{
    std::wstring folder = root + L"\\" + SafePart(login.user + L"@" + ServerPart(login.serverName));
    folder += ftpFolder.empty() || ftpFolder[0] != L'/' ? L"\\login" : L"\\root";
    for (std::size_t start = 0; start <= ftpFolder.size();) {
        std::size_t end = ftpFolder.find(L'/', start);
        if (end == std::wstring::npos)
            end = ftpFolder.size();
        if (end > start)
            folder += L"\\" + SafePart(ftpFolder.substr(start, end - start));
        start = end + 1;
    }
    return folder;
}

bool IsOldCopy(std::uint64_t written, std::uint64_t now)
{
    return now > written && now - written > kTicksPerDay;
}
