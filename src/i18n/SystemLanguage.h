// Which language section follows the operating system's language: the
// registry's language identifier, mapped through the settings' dialect lists.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The "Language" setting that asks for the operating system's language. An
// absent or empty setting asks for it too.
inline const wchar_t* const kSystemLanguageCode = L"[----]";
bool FollowsSystemLanguage(const std::wstring& languageSetting);

// The section used when the system language has none of its own.
inline const wchar_t* const kFallbackLanguageCode = L"[1033]";

// The registry's hexadecimal identifier, read from the last character to the
// first. Only "0123456789abcdef" count; any other character, upper-case A-F
// included, counts as 0 in its place. Wraps at 32 bits; empty reads as 0.
std::int32_t ParseLanguageIdentifier(const std::wstring& hexText);

// A section code, "[%d]".
std::wstring LanguageCode(std::int32_t identifier);

// A dialect list of the settings: the section code and the text it is stored
// under "Dialects<code>", holding the codes of the system languages it serves.
struct DialectList {
    std::wstring code;
    std::wstring members;
};

// The section codes that have dialect lists, in the order they are searched.
std::vector<std::wstring> DialectCodes();
std::wstring DialectKey(const std::wstring& code);

// Each list in turn: when the current candidate occurs in its members, the
// candidate becomes the list's code.
std::wstring ApplyDialects(std::wstring candidate, const std::vector<DialectList>& lists);

// The section to load for the system language: the mapped candidate when some
// line of the language file contains it, otherwise "[1033]".
std::wstring ChooseSystemSection(const std::wstring& registryText, const std::vector<DialectList>& lists,
                                 const std::vector<std::wstring>& languageLines);
