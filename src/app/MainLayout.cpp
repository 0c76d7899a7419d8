#include "app/MainLayout.h"

#include <algorithm>
#include <cstddef>

namespace {
// The rules in pixels at 96 DPI.
MainLayout RulesAt96Dpi(int w, int h)
{
    const int m = w / 2;
    const int q = w / 4;  // the progress bar's share of the status row
    MainLayout layout;
    layout.controls = {
        {1002, m - 105, h - 45, 209, 34},      // transfer
        {1010, m - 140, h - 45, 34, 34},       // "<"
        {1017, m + 105, h - 45, 34, 34},       // ">"
        {1009, 7, h - 71, w - 14, 24},         // status line
        {1018, w - q - 7, h - 67, q, 16},      // progress bar, shown while a batch runs
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
    layout.nameColumnWidth = 0;
    return layout;
}

constexpr int kStatusLine = 1009;
constexpr int kProgressBar = 1018;
constexpr int kLocalList = 1007;
// Room beside the columns for the list's border and a vertical scroll bar.
constexpr int kScrollBarRoom = 22;
// The name column's width at 96 DPI in a window that opens at its default
// size: "Quarterly report 2026.xlsx" and its icon with room to spare.
constexpr int kOpeningNameColumn = 200;

ControlPlacement& PlacementOf(MainLayout& layout, int id)
{
    return *std::find_if(layout.controls.begin(), layout.controls.end(),
                         [id](const ControlPlacement& c) { return c.id == id; });
}
}  // namespace

int NameColumnWidth(int listWidth, int otherColumnsWidth, int dpi)
{
    return std::max(listWidth - ScaleForDpi(kScrollBarRoom, dpi) - otherColumnsWidth, 0);
}

MainLayout ComputeMainLayout(int w, int h, int dpi, int otherColumnsWidth)
{
    // Each value of the rules is a fixed number of pixels plus a whole share of
    // the client size (M, W or H). The rules for an empty client give the fixed
    // parts: those scale with the DPI, the shares follow the client as it is.
    const MainLayout fixed = RulesAt96Dpi(0, 0);
    MainLayout layout = RulesAt96Dpi(w, h);
    const auto scaled = [dpi](int& value, int fixedPart) { value += ScaleForDpi(fixedPart, dpi) - fixedPart; };
    for (std::size_t i = 0; i < layout.controls.size(); ++i) {
        ControlPlacement& c = layout.controls[i];
        const ControlPlacement& f = fixed.controls[i];
        scaled(c.x, f.x);
        scaled(c.y, f.y);
        scaled(c.width, f.width);
        scaled(c.height, f.height);
    }
    // The status line ends where the bar does, whichever way the scaling rounded.
    const ControlPlacement& bar = PlacementOf(layout, kProgressBar);
    ControlPlacement& status = PlacementOf(layout, kStatusLine);
    status.width = bar.x + bar.width - status.x;
    layout.nameColumnWidth = NameColumnWidth(PlacementOf(layout, kLocalList).width, otherColumnsWidth, dpi);
    return layout;
}

ClientSize MinimumClientSize(int dpi)
{
    return {ScaleForDpi(560, dpi), ScaleForDpi(300, dpi)};
}

ClientSize DefaultClientSize(ClientSize opened, ClientSize largest, int otherColumnsWidth, int dpi)
{
    // Each list is half the client plus a fixed (negative) part.
    MainLayout empty = ComputeMainLayout(0, 0, dpi);
    const int listBeyondHalf = PlacementOf(empty, kLocalList).width;
    const int listWidth = ScaleForDpi(kOpeningNameColumn, dpi) + otherColumnsWidth + ScaleForDpi(kScrollBarRoom, dpi);
    const ClientSize minimum = MinimumClientSize(dpi);
    const int width = std::min(std::max(opened.width, 2 * (listWidth - listBeyondHalf)), largest.width);
    const int height = std::min(opened.height, largest.height);
    return {std::max(width, minimum.width), std::max(height, minimum.height)};
}
