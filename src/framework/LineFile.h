// The 8-bit line file of the settings and language files: each byte is the
// character of the same code (ISO 8859-1); CR LF and LF end lines; a last line
// without a line end is still a line. Written back with CR LF after every line.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

class LineFile {
public:
    // Bytes to lines and back. ToBytes refuses (returns false) a character above 255.
    static std::vector<std::wstring> SplitLines(const std::string& bytes);
    static bool Fits8Bit(const std::wstring& text);
    static bool ToBytes(const std::vector<std::wstring>& lines, std::string& bytes);

    // Reads the whole file. Throws FileError (with the path) when it cannot be opened.
    static std::vector<std::wstring> Read(const std::filesystem::path& path);

    // Reads the whole file; false when it cannot be opened.
    static bool TryRead(const std::filesystem::path& path, std::vector<std::wstring>& lines);
};
