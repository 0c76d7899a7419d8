// The encoding of the stored FTP password: a character-wise shift by a built-in
// key that keeps the password from being read at a glance in the settings file.
// It is no protection against anyone who knows the key.
//
// Printable ASCII characters (32..126) are shifted by the key character of their
// position in the encoded text; any other character is stored unchanged after
// the marker "x$%". Shifted characters lie between 80 and 248, so they never
// form a marker and the text stays 8-bit as long as the password is.
#pragma once

#include <string>

std::wstring EncodeStoredValue(const std::wstring& text);
std::wstring DecodeStoredValue(const std::wstring& encoded);
