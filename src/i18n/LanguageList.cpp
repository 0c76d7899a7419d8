#include "i18n/LanguageList.h"

namespace {
constexpr size_t kHeaderLength = 6;
constexpr size_t kNameStart = 6;

bool IsHeader(const std::wstring& line)
{
    return line.size() == kHeaderLength && line[0] == L'[';
}

std::wstring LineAt(const std::vector<std::wstring>& lines, size_t i)
{
    return i < lines.size() ? lines[i] : std::wstring();
}

// Walks the pairs from the end so that the last match wins; `key` is 0 to
// match codes and 1 to match names, the answer is the other half of the pair.
std::optional<std::wstring> Partner(const std::vector<std::wstring>& pairs, const std::wstring& wanted, size_t key)
{
    for (size_t pair = pairs.size() / 2; pair-- > 0;) {
        if (pairs[2 * pair + key] == wanted)
            return pairs[2 * pair + 1 - key];
    }
    return std::nullopt;
}
}  // namespace

std::wstring LanguageFilePath(const std::wstring& programFolder, const std::wstring& productId)
{
    return programFolder + L"\\" + productId + L"trl.ini";
}

std::vector<std::wstring> ReadLanguagePairs(const std::vector<std::wstring>& lines)
{
    std::vector<std::wstring> pairs;
    size_t i = 0;
    while (i < lines.size()) {
        if (!IsHeader(lines[i])) {
            ++i;
            continue;
        }
        pairs.push_back(lines[i]);
        const std::wstring nameLine = LineAt(lines, i + 2);
        pairs.push_back(nameLine.size() > kNameStart ? nameLine.substr(kNameStart) : std::wstring());
        i += 3;
    }
    return pairs;
}

std::optional<std::wstring> NameOfCode(const std::vector<std::wstring>& pairs, const std::wstring& code)
{
    return Partner(pairs, code, 0);
}

std::optional<std::wstring> CodeOfName(const std::vector<std::wstring>& pairs, const std::wstring& name)
{
    return Partner(pairs, name, 1);
}
