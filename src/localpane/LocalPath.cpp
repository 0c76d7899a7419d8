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
