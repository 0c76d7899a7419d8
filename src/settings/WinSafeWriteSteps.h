// The safe rewrite's steps on the Windows file system.
#pragma once

#include "settings/SafeWrite.h"

class WinSafeWriteSteps : public SafeWriteSteps {
public:
    bool WriteFlushed(const std::wstring& path, const std::string& bytes) override;
    // MoveFileExW with MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH. A
    // read-only target, or one held open without delete sharing, stays as it was.
    bool Replace(const std::wstring& source, const std::wstring& target) override;
    void Remove(const std::wstring& path) override;
};
