#include "settings/SafeWrite.h"

#include "framework/LineFile.h"

std::wstring TemporaryPathFor(const std::wstring& target)
{
    return target + L".new";
}

bool SafeRewrite(SafeWriteSteps& steps, const std::wstring& target, const std::vector<std::wstring>& lines)
{
    std::string bytes;
    if (!LineFile::ToBytes(lines, bytes))
        return false;
    const std::wstring temporary = TemporaryPathFor(target);
    if (!steps.WriteFlushed(temporary, bytes) || !steps.Replace(temporary, target)) {
        steps.Remove(temporary);
        return false;
    }
    return true;
}
