#include "panes/RowKind.h"

#include "panes/RowModel.h"

RowKind KindOfRow(int image, const std::wstring& text)
{
    if (image == kFileImage)
        return RowKind::File;
    if (image != kFolderImage && image != kParentImage)
        return RowKind::Unknown;
    return text == kParentRowText ? RowKind::Parent : RowKind::Folder;
}
