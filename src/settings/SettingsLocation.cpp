#include "settings/SettingsLocation.h"

bool IsPlainFolderName(const std::wstring& name)
{
    if (name.empty() || name == L"." || name == L"..")
        return false;
    for (wchar_t c : name) {
        if (c < 32 || std::wstring(L"\\/:*?\"<>|").find(c) != std::wstring::npos)
            return false;
    }
    return true;
}

bool IsAbsolutePath(const std::wstring& path)
{
    if (path.size() < 2)
        return false;
    const wchar_t first = path[0];
    const bool driveLetter = (first >= L'A' && first <= L'Z') || (first >= L'a' && first <= L'z');
    return (driveLetter && path[1] == L':') || (first == L'\\' && path[1] == L'\\');
}

std::vector<std::wstring> UserSettingsFolders(const std::wstring& appData, const std::wstring& productId,
                                              const std::wstring& version)
{
    std::wstring base = appData;
    while (!base.empty() && base.back() == L'\\')
        base.pop_back();
    if (!IsAbsolutePath(base) || !IsPlainFolderName(productId) || !IsPlainFolderName(version))
        return {};
    const std::wstring velmo = base + L"\\Velmo";
    const std::wstring product = velmo + L"\\" + productId;
    return {velmo, product, product + L"\\" + version};
}
