#include "settings/StoredValue.h"

namespace {

// Four digits, one lower-case letter, two digits: every code lies in 48..122.
constexpr wchar_t kKey[] = L"5280m41";
constexpr size_t kKeyLength = sizeof(kKey) / sizeof(kKey[0]) - 1;
constexpr wchar_t kMarker[] = L"x$%";
constexpr size_t kMarkerLength = 3;

// The key stream is the key repeated, indexed by the position in the encoded
// text (marker characters included), so one modulo gives its character.
unsigned KeyAt(size_t position)
{
    return static_cast<unsigned>(kKey[position % kKeyLength]);
}

// Character codes are 16 bits on Windows; wchar_t is wider elsewhere.
wchar_t Code16(unsigned value)
{
    return static_cast<wchar_t>(value & 0xFFFFu);
}

bool IsPrintableAscii(wchar_t c)
{
    return c >= 32 && c <= 126;
}

}  // namespace

std::wstring EncodeStoredValue(const std::wstring& text)
{
    std::wstring encoded;
    encoded.reserve(text.size());
    for (wchar_t c : text) {
        if (IsPrintableAscii(c)) {
            encoded.push_back(Code16(static_cast<unsigned>(c) + KeyAt(encoded.size())));
        } else {
            encoded.append(kMarker, kMarkerLength);
            encoded.push_back(c);
        }
    }
    return encoded;
}

std::wstring DecodeStoredValue(const std::wstring& encoded)
{
    std::wstring text;
    text.reserve(encoded.size());
    const size_t n = encoded.size();
    size_t j = 0;
    while (j < n) {
        // A marker in the last three positions has no character after it and
        // is decoded like any other text.
        if (j + kMarkerLength < n && encoded.compare(j, kMarkerLength, kMarker) == 0) {
            text.push_back(encoded[j + kMarkerLength]);
            j += kMarkerLength + 1;
        } else {
            text.push_back(Code16(static_cast<unsigned>(encoded[j]) - KeyAt(j)));
            ++j;
        }
    }
    return text;
}
