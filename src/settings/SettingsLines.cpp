#include "settings/SettingsLines.h"

std::wstring ReadValue(const std::vector<std::wstring>& lines, const std::wstring& key)
{
    std::wstring value;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] != key)
            continue;
        value = i + 1 < lines.size() ? lines[i + 1] : std::wstring();
        ++i;
    }
    return value;
}

bool ReplaceValues(std::vector<std::wstring>& lines, const std::wstring& key, const std::wstring& value)
{
    bool found = false;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] != key)
            continue;
        found = true;
        if (i + 1 < lines.size())
            lines[i + 1] = value;
        else
            lines.push_back(value);
        ++i;
    }
    return found;
}

void AppendValue(std::vector<std::wstring>& lines, const std::wstring& key, const std::wstring& value)
{
    if (!lines.empty() && !lines.back().empty())
        lines.emplace_back();
    lines.push_back(key);
    lines.push_back(value);
}

bool IsStorableValue(const std::wstring& value)
{
    for (wchar_t c : value)
        if (static_cast<unsigned long>(c) > 255 || c == L'\r' || c == L'\n')
            return false;
    return true;
}
