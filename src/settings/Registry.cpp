#include "settings/Registry.h"

#include <windows.h>

#include <vector>

namespace {

constexpr int kRegistryAttempts = 8;

// The value's type and bytes. The buffer is sized from the first answer, and
// again whenever the value has grown between two queries.
bool QueryValue(HKEY key, const wchar_t* name, DWORD& type, std::vector<BYTE>& data)
{
    DWORD size = 0;
    LONG status = ::RegQueryValueExW(key, name, nullptr, &type, nullptr, &size);
    for (int attempt = 0; attempt < kRegistryAttempts && (status == ERROR_SUCCESS || status == ERROR_MORE_DATA);
         ++attempt) {
        data.assign(size, 0);
        if (size == 0)
            return true;
        DWORD received = size;
        status = ::RegQueryValueExW(key, name, nullptr, &type, data.data(), &received);
        if (status == ERROR_SUCCESS) {
            data.resize(received);
            return true;
        }
        size = received > size ? received : size * 2;
    }
    return false;
}

// A REG_SZ value's text up to its first NUL; the stored value may lack one.
std::wstring TextOf(const std::vector<BYTE>& data)
{
    std::wstring text;
    for (size_t i = 0; i + 1 < data.size(); i += 2) {
        const wchar_t c = static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
        if (c == L'\0')
            break;
        text.push_back(c);
    }
    return text;
}

}  // namespace

std::wstring ReadRegistryString(RegistryRoot root, const std::wstring& keyPath, const std::wstring& valueName)
{
    const HKEY rootKey = root == RegistryRoot::kShellFolders ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
    HKEY key = nullptr;
    if (::RegOpenKeyExW(rootKey, keyPath.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return std::wstring();
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
    const bool found = QueryValue(key, valueName.c_str(), type, data);
    ::RegCloseKey(key);
    if (!found || data.empty())
        return std::wstring();
    return type == REG_SZ ? TextOf(data) : L"No REG_SZ";
}
