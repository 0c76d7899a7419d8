// A settings or language file that cannot be opened. Thrown by the readers and
// caught at the dialog procedure boundary, which shows "%1 was not found." or,
// for a file that is there, the system's reason (DescribeFileError).
#pragma once

#include <stdexcept>
#include <string>

class FileError : public std::runtime_error {
public:
    explicit FileError(std::wstring path)
        : std::runtime_error("file cannot be opened"), m_path(std::move(path)) {}

    const std::wstring& Path() const { return m_path; }

    // The user-facing text: the full path in place of %1.
    std::wstring Message() const { return m_path + L" was not found."; }

private:
    std::wstring m_path;
};
