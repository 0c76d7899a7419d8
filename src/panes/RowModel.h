// The row model both lists share: the parent row, then folders, then files.
// The images show a row's kind; the pane's rows tell it.
#pragma once

inline constexpr int kFileImage = 0;
inline constexpr int kFolderImage = 1;
inline constexpr int kParentImage = 2;
inline const wchar_t* const kParentRowText = L"[...]";
