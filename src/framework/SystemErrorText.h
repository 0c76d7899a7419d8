// The system's own words for an error code, as a message can show them.
#pragma once

#include <windows.h>

#include <string>

// FormatMessageW's text for the code, from the module's message table first
// when one is given (such as wininet.dll's), without its line end; "Error N"
// when neither knows the code.
std::wstring SystemErrorText(DWORD error, HMODULE messages = nullptr);

// The text without the blanks and line ends that close it.
std::wstring TrimLineEnd(std::wstring text);
