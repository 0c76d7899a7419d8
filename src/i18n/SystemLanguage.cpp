#include "i18n/SystemLanguage.h"

#include "i18n/LanguageFile.h"

bool FollowsSystemLanguage(const std::wstring& languageSetting)
{
    return languageSetting.empty() || languageSetting == kSystemLanguageCode;
}

std::int32_t ParseLanguageIdentifier(const std::wstring& hexText)
{
    static const std::wstring kDigits = L"0123456789abcdef";
    std::uint32_t value = 0;
    std::uint32_t weight = 1;
    for (size_t i = hexText.size(); i-- > 0; weight *= 16u) {
        const size_t digit = kDigits.find(hexText[i]);
        if (digit != std::wstring::npos)
            value += static_cast<std::uint32_t>(digit) * weight;
    }
    return static_cast<std::int32_t>(value);
}

std::wstring LanguageCode(std::int32_t identifier)
{
    return L"[" + std::to_wstring(identifier) + L"]";
}

std::vector<std::wstring> DialectCodes()
{
    return {L"[1031]", L"[1033]", L"[1036]", L"[1034]", L"[1043]", L"[1046]"};
}

std::wstring DialectKey(const std::wstring& code)
{
    return L"Dialects" + code;
}

std::wstring ApplyDialects(std::wstring candidate, const std::vector<DialectList>& lists)
{
    for (const DialectList& list : lists) {
        if (list.members.find(candidate) != std::wstring::npos)
            candidate = list.code;
    }
    return candidate;
}

std::wstring ChooseSystemSection(const std::wstring& registryText, const std::vector<DialectList>& lists,
                                 const std::vector<std::wstring>& languageLines)
{
    const std::wstring candidate = ApplyDialects(LanguageCode(ParseLanguageIdentifier(registryText)), lists);
    return AnyLineContains(languageLines, candidate) ? candidate : kFallbackLanguageCode;
}
