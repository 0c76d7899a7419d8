#include "settings/DpapiProtector.h"

#include <windows.h>
#include <wincrypt.h>

#include <vector>

namespace {

const wchar_t* const kDescription = L"Velmo FTP Tandril";
// Program-specific entropy: another program of the same user cannot read the
// password back with a bare CryptUnprotectData.
const char kEntropy[] = "Velmo FTP Tandril stored password";

DATA_BLOB EntropyBlob()
{
    DATA_BLOB blob;
    blob.pbData = reinterpret_cast<BYTE*>(const_cast<char*>(kEntropy));
    blob.cbData = sizeof(kEntropy) - 1;
    return blob;
}

// UTF-16 code units as little-endian bytes, whatever wchar_t's size.
std::vector<BYTE> ToBytes(const std::wstring& text)
{
    std::vector<BYTE> bytes;
    for (wchar_t c : text) {
        bytes.push_back(static_cast<BYTE>(c & 0xFF));
        bytes.push_back(static_cast<BYTE>((c >> 8) & 0xFF));
    }
    return bytes;
}

}  // namespace

std::optional<std::wstring> DpapiProtector::Protect(const std::wstring& password)
{
    std::vector<BYTE> bytes = ToBytes(password);
    DATA_BLOB in = {static_cast<DWORD>(bytes.size()), bytes.data()};
    DATA_BLOB entropy = EntropyBlob();
    DATA_BLOB out = {};
    if (!::CryptProtectData(&in, kDescription, &entropy, nullptr, nullptr, CRYPTPROTECT_UI_FORBIDDEN, &out))
        return std::nullopt;
    const DWORD flags = CRYPT_STRING_BASE64 | CRYPT_STRING_NOCRLF;
    DWORD length = 0;
    std::optional<std::wstring> text;
    if (::CryptBinaryToStringW(out.pbData, out.cbData, flags, nullptr, &length) && length > 0) {
        std::wstring buffer(length, L'\0');
        if (::CryptBinaryToStringW(out.pbData, out.cbData, flags, buffer.data(), &length)) {
            buffer.resize(length);
            // Some versions end the text with a line break in spite of NOCRLF.
            while (!buffer.empty() && (buffer.back() == L'\0' || buffer.back() == L'\r' || buffer.back() == L'\n'))
                buffer.pop_back();
            text = buffer;
        }
    }
    ::SecureZeroMemory(bytes.data(), bytes.size());
    ::LocalFree(out.pbData);
    return text;
}

std::optional<std::wstring> DpapiProtector::Unprotect(const std::wstring& protectedForm)
{
    DWORD size = 0;
    if (protectedForm.empty() ||
        !::CryptStringToBinaryW(protectedForm.c_str(), static_cast<DWORD>(protectedForm.size()), CRYPT_STRING_BASE64,
                                nullptr, &size, nullptr, nullptr))
        return std::nullopt;
    std::vector<BYTE> blob(size);
    if (!::CryptStringToBinaryW(protectedForm.c_str(), static_cast<DWORD>(protectedForm.size()), CRYPT_STRING_BASE64,
                                blob.data(), &size, nullptr, nullptr))
        return std::nullopt;
    DATA_BLOB in = {size, blob.data()};
    DATA_BLOB entropy = EntropyBlob();
    DATA_BLOB out = {};
    if (!::CryptUnprotectData(&in, nullptr, &entropy, nullptr, nullptr, CRYPTPROTECT_UI_FORBIDDEN, &out))
        return std::nullopt;
    std::optional<std::wstring> password;
    if (out.cbData % 2 == 0) {
        std::wstring text;
        for (DWORD i = 0; i + 1 < out.cbData; i += 2)
            text.push_back(static_cast<wchar_t>(out.pbData[i] | (out.pbData[i + 1] << 8)));
        password = text;
    }
    ::SecureZeroMemory(out.pbData, out.cbData);
    ::LocalFree(out.pbData);
    return password;
}
