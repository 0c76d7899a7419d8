#include "ftp/SafeLocalName.h"

namespace {

bool IsForbiddenCharacter(wchar_t c)
{
    if (static_cast<unsigned long>(c) < 32)
        return true;
    switch (c) {
    case L'\\': case L'/': case L':': case L'*': case L'?': case L'"': case L'<': case L'>': case L'|':
        return true;
    default:
        return false;
    }
}

std::wstring UpperAscii(std::wstring text)
{
    for (wchar_t& c : text)
        if (c >= L'a' && c <= L'z')
            c = static_cast<wchar_t>(c - L'a' + L'A');
    return text;
}

// Windows opens the device for "con", "Con.txt" and "CON .log" alike: what
// counts is the part before the first dot, without trailing blanks.
bool IsDeviceName(const std::wstring& name)
{
    std::wstring stem = name.substr(0, name.find(L'.'));
    while (!stem.empty() && stem.back() == L' ')
        stem.pop_back();
    stem = UpperAscii(stem);
    if (stem == L"CON" || stem == L"PRN" || stem == L"AUX" || stem == L"NUL" || stem == L"CONIN$" ||
        stem == L"CONOUT$")
        return true;
    if (stem.size() == 4 && (stem.compare(0, 3, L"COM") == 0 || stem.compare(0, 3, L"LPT") == 0)) {
        // Windows takes the superscript digits one to three for ports as well.
        const wchar_t digit = stem[3];
        return (digit >= L'1' && digit <= L'9') || digit == L'\u00B9' || digit == L'\u00B2' || digit == L'\u00B3';
    }
    return false;
}

}  // namespace

bool IsSafeLocalName(const std::wstring& name)
{
    if (name.empty() || name == L"." || name == L"..")
        return false;
    for (wchar_t c : name)
        if (IsForbiddenCharacter(c))
            return false;
    if (name.back() == L'.' || name.back() == L' ')
        return false;
    return !IsDeviceName(name);
}

bool IsSafeLocalRelativePath(const std::wstring& path)
{
    std::size_t start = 0;
    for (;;) {
        const std::size_t slash = path.find(L'/', start);
        const std::wstring component = path.substr(start, slash == std::wstring::npos ? std::wstring::npos : slash - start);
        if (!IsSafeLocalName(component))
            return false;
        if (slash == std::wstring::npos)
            return true;
        start = slash + 1;
    }
}

bool SameNameIgnoringCase(const std::wstring& a, const std::wstring& b)
{
    const auto fold = [](wchar_t c) {
        const unsigned long code = static_cast<unsigned long>(c);
        const bool upper = (code >= 'A' && code <= 'Z') || (code >= 0xC0 && code <= 0xDE && code != 0xD7);
        return upper ? code + 0x20 : code;
    };
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (fold(a[i]) != fold(b[i]))
            return false;
    return true;
}
