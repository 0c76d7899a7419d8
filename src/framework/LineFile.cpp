#include "framework/LineFile.h"

#include "framework/FileError.h"

#include <fstream>
#include <iterator>

std::vector<std::wstring> LineFile::SplitLines(const std::string& bytes)
{
    std::vector<std::wstring> lines;
    std::wstring line;
    for (size_t i = 0; i < bytes.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        if (c == '\n') {
            if (!line.empty() && line.back() == L'\r')
                line.pop_back();
            lines.push_back(std::move(line));
            line.clear();
        } else {
            line.push_back(static_cast<wchar_t>(c));
        }
    }
    if (!line.empty()) {
        if (line.back() == L'\r')
            line.pop_back();
        lines.push_back(std::move(line));
    }
    return lines;
}

bool LineFile::Fits8Bit(const std::wstring& text)
{
    for (wchar_t c : text)
        if (static_cast<unsigned long>(c) > 255)
            return false;
    return true;
}

bool LineFile::ToBytes(const std::vector<std::wstring>& lines, std::string& bytes)
{
    std::string out;
    for (const std::wstring& line : lines) {
        if (!Fits8Bit(line))
            return false;
        for (wchar_t c : line)
            out.push_back(static_cast<char>(static_cast<unsigned char>(c)));
        out += "\r\n";
    }
    bytes.swap(out);
    return true;
}

bool LineFile::TryRead(const std::filesystem::path& path, std::vector<std::wstring>& lines)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    lines = SplitLines(bytes);
    return true;
}

std::vector<std::wstring> LineFile::Read(const std::filesystem::path& path)
{
    std::vector<std::wstring> lines;
    if (!TryRead(path, lines))
        throw FileError(path.wstring());
    return lines;
}
