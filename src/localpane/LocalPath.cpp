#include "localpane/LocalPath.h"

std::wstring WithFolderMarker(const std::wstring& folder)
{
    return folder + kFolderMarker;
}

std::wstring StripFolderMarker(const std::wstring& text)
{
    const std::wstring marker = kFolderMarker;
    if (text.size() >= marker.size() && text.compare(text.size() - marker.size(), marker.size(), marker) == 0)
        return text.substr(0, text.size() - marker.size());
    return text;
}

std::wstring JoinLocal(const std::wstring& folder, const std::wstring& name)
{
    return folder + L"\\" + name;
}

std::optional<std::wstring> ParentLocalFolder(const std::wstring& folder)
{
    const size_t cut = folder.rfind(L'\\');
    const std::wstring parent = cut == std::wstring::npos ? std::wstring() : folder.substr(0, cut);
    if (parent.size() < 2)
        return std::nullopt;
    return parent;
}

std::wstring CollapseDoubledBackslashes(const std::wstring& path)
{
    constexpr size_t kKeptLead = 2;
    std::wstring collapsed = path.substr(0, kKeptLead);
    for (size_t i = kKeptLead; i < path.size(); ++i) {
        if (path[i] == L'\\' && collapsed.back() == L'\\')
            continue;
        collapsed.push_back(path[i]);
    }
    return collapsed;
}

std::wstring PickedFolderText(const std::wstring& pickedPath)
{
    return CollapseDoubledBackslashes(WithFolderMarker(pickedPath));
}
