#include "localpane/DeleteToRecycleBin.h"

#include <windows.h>
#include <shellapi.h>

void DeleteToRecycleBin(const std::wstring& path, bool undo)
{
    // Both the look-up and SHFileOperationW treat * and ? as wildcards, which
    // would reach entries other than the one named; no real name holds them.
    if (path.empty() || path.find_first_of(L"*?") != std::wstring::npos)
        return;
    WIN32_FIND_DATAW found;
    const HANDLE find = ::FindFirstFileW(path.c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return;
    ::FindClose(find);

    // pFrom is a list of paths ended by an empty one: c_str() adds the second NUL.
    std::wstring from = path;
    from.push_back(L'\0');
    SHFILEOPSTRUCTW operation = {};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_SILENT | FOF_NOCONFIRMATION | FOF_NOERRORUI;
    if (undo)
        operation.fFlags |= FOF_ALLOWUNDO;
    ::SHFileOperationW(&operation);
}
