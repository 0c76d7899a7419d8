// Remote path rules of the engine. Remote paths use "/"; a folder "" is the
// login directory, so joining "" and a name yields the relative name.
#pragma once

#include <cstdint>
#include <string>

// folder + "/" + name, or name alone when the folder is empty.
std::wstring JoinFtpPath(const std::wstring& folder, const std::wstring& name);

// Splits at the last "/": "a/b/c" -> "a/b" and "c", "c" -> "" and "c",
// "/c" -> "/" and "c".
void SplitFtpPath(const std::wstring& path, std::wstring& folder, std::wstring& name);

// Whether a name reported by the server can stand for one entry of the listed
// folder: not empty, not "." or "..", no "/" or "\".
bool IsUsableEntryName(const std::wstring& name);

// The name a local file gets on the server: the part after the last "\" or "/".
std::wstring RemoteNameOfLocalPath(const std::wstring& localPath);

// A listing's size from its two 32-bit halves.
std::uint64_t CombineFileSize(std::uint32_t high, std::uint32_t low);
