#include "settings/SettingsLines.h"

#include <utility>

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

std::vector<std::wstring> ReadValues(const std::vector<std::wstring>& lines, const std::wstring& key)
{
    std::vector<std::wstring> values;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] != key)
            continue;
        values.push_back(i + 1 < lines.size() ? lines[i + 1] : std::wstring());
        ++i;
    }
    return values;
}

void ReplaceValueList(std::vector<std::wstring>& lines, const std::wstring& key, const std::vector<std::wstring>& values)
{
    std::vector<std::wstring> result;
    bool placed = false;
    const auto place = [&] {
        for (const std::wstring& value : values) {
            result.push_back(key);
            result.push_back(value);
        }
        placed = true;
    };
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] != key) {
            result.push_back(lines[i]);
            continue;
        }
        if (!placed)
            place();
        ++i;
    }
    if (!placed)
        place();
    lines = std::move(result);
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
