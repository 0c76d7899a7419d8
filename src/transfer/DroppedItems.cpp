#include "transfer/DroppedItems.h"

#include <algorithm>
#include <cwctype>

namespace {

// "C:\name" or "\\server\share\name": a drive or share with a name below it.
bool IsFileSystemPath(const std::wstring& path)
{
    const bool drive = path.size() > 3 && std::iswalpha(path[0]) && path[1] == L':' && path[2] == L'\\';
    const bool share = path.size() > 2 && path.compare(0, 2, L"\\\\") == 0 &&
                       path.find(L'\\', path.find(L'\\', 2) + 1) != std::wstring::npos;
    return (drive || share) && path.back() != L'\\';
}

bool EndsWithIgnoringCase(const std::wstring& text, const std::wstring& end)
{
    return text.size() >= end.size() && std::equal(end.begin(), end.end(), text.end() - end.size(),
                                                   [](wchar_t lower, wchar_t c) { return static_cast<wchar_t>(std::towlower(c)) == lower; });
}

// Shortcuts to files and to web addresses: what they stand for is elsewhere.
bool IsShortcut(const std::wstring& path)
{
    return EndsWithIgnoringCase(path, L".lnk") || EndsWithIgnoringCase(path, L".url");
}

}  // namespace

std::vector<std::wstring> RefusedDroppedItems(const std::vector<DroppedItem>& items)
{
    std::vector<std::wstring> refused;
    for (const DroppedItem& item : items)
        if (!item.exists || item.reparsePoint || !IsFileSystemPath(item.path) ||
            (!item.folder && IsShortcut(item.path)))
            refused.push_back(item.path);
    return refused;
}
