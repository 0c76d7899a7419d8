#include "i18n/LanguageFile.h"

namespace {
constexpr size_t kNumberLength = 5;
constexpr size_t kTextStart = kNumberLength + 1;
}  // namespace

bool ParseEntryLine(const std::wstring& line, LanguageEntry& entry)
{
    if (line.size() < kNumberLength)
        return false;
    int number = 0;
    int weight = 1;
    for (size_t i = kNumberLength; i-- > 0; weight *= 10) {
        const wchar_t c = line[i];
        if (c >= L'0' && c <= L'9')
            number += static_cast<int>(c - L'0') * weight;
    }
    entry.number = number;
    entry.text = line.size() > kTextStart ? line.substr(kTextStart) : std::wstring();
    return true;
}

std::vector<LanguageEntry> ReadSection(const std::vector<std::wstring>& lines, const std::wstring& code)
{
    std::vector<LanguageEntry> entries;
    size_t i = 0;
    while (i < lines.size() && lines[i] != code)
        ++i;
    for (++i; i < lines.size() && lines[i] != kSectionEnd; ++i) {
        LanguageEntry entry;
        if (ParseEntryLine(lines[i], entry))
            entries.push_back(std::move(entry));
    }
    entries.push_back({kEndMarkerNumber, kMissingText});
    return entries;
}

bool AnyLineContains(const std::vector<std::wstring>& lines, const std::wstring& text)
{
    for (const std::wstring& line : lines)
        if (line.find(text) != std::wstring::npos)
            return true;
    return false;
}

std::wstring LookUpText(const std::vector<LanguageEntry>& entries, int number)
{
    for (const LanguageEntry& entry : entries) {
        if (entry.number == number || entry.number == kEndMarkerNumber)
            return entry.text;
    }
    return kMissingText;
}

std::wstring FillPlaceholder(std::wstring text, const std::wstring& value)
{
    const std::size_t at = text.find(L"%1");
    if (at != std::wstring::npos)
        text.replace(at, 2, value);
    return text;
}

std::wstring FillPlaceholders(const std::wstring& text, const std::vector<std::wstring>& values)
{
    std::wstring filled;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::size_t index = i + 1 < text.size() ? static_cast<std::size_t>(text[i + 1] - L'1') : values.size();
        if (text[i] == L'%' && index < values.size() && text[i + 1] >= L'1') {
            filled += values[index];
            ++i;
        } else {
            filled += text[i];
        }
    }
    return filled;
}
