#include "app/MainLayout.h"

#include <algorithm>

MainLayout ComputeMainLayout(int w, int h)
{
    const int m = w / 2;
    MainLayout layout;
    layout.controls = {
        {1002, m - 105, h - 45, 209, 34},      // transfer
        {1010, m - 140, h - 45, 34, 34},       // "<"
        {1017, m + 105, h - 45, 34, 34},       // ">"
        {1009, 7, h - 71, w - 14, 24},         // status line
        {1015, 10, 11, m - 17, h - 92},        // local group box
        {1003, 20, 28, m - 140, 20},           // local path box
        {1004, m - 118, 28, 101, 20},          // local browse
        {1014, m - 133, h - 108, 116, 20},     // local delete
        {1011, 20, h - 108, 116, 20},          // local add folder
        {1007, 20, 55, m - 38, h - 171},       // local list
        {1016, m + 9, 11, m - 17, h - 92},     // FTP group box
        {1005, m + 20, 28, m - 140, 20},       // FTP path box
        {1006, w - 118, 28, 101, 20},          // FTP browse
        {1013, w - 133, h - 108, 116, 20},     // FTP delete
        {1012, m + 20, h - 108, 116, 20},      // FTP add folder
        {1008, m + 20, 55, m - 38, h - 171},   // FTP list
    };
    // The list's width less the other columns and room for a vertical scroll bar.
    layout.nameColumnWidth = std::max(m - 60 - kSizeColumnWidth - kModifiedColumnWidth, kMinNameColumnWidth);
    return layout;
}
