// Rewriting a settings file so that a failure at any step leaves the old file
// exactly as it was: the new content goes to a temporary file beside it, is
// flushed, and only then takes the old file's place in one step. Readers only
// ever open the settings file itself, so a leftover temporary file is ignored.
#pragma once

#include <string>
#include <vector>

// The file-system steps of a safe rewrite. The program uses the Win32 ones.
class SafeWriteSteps {
public:
    virtual ~SafeWriteSteps() = default;

    // Creates or truncates the file, writes every byte and flushes it to disk.
    virtual bool WriteFlushed(const std::wstring& path, const std::string& bytes) = 0;

    // Puts the source file in the target's place, replacing the target.
    virtual bool Replace(const std::wstring& source, const std::wstring& target) = 0;

    // Removes a file; a failure is of no consequence to the caller.
    virtual void Remove(const std::wstring& path) = 0;
};

// The temporary file used while the target is rewritten.
std::wstring TemporaryPathFor(const std::wstring& target);

// Writes the lines, each followed by CR LF, in place of the target. False when
// a line holds a character above 255 (nothing is touched then) or a step fails.
bool SafeRewrite(SafeWriteSteps& steps, const std::wstring& target, const std::vector<std::wstring>& lines);
