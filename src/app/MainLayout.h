// Where the main window's controls go for a client size in pixels. The local
// pane hangs from the left edge and the centre, the FTP pane from the centre and
// the right edge, the transfer buttons stay centred at the bottom. The rules'
// pixels are those of 96 DPI and grow with the window's DPI.
#pragma once

#include "framework/DpiScale.h"

#include <vector>

struct ControlPlacement {
    int id;
    int x;
    int y;
    int width;
    int height;
};

// Both lists' columns: Size and Modified are as wide as their widest texts
// (see ListColumns); the name column takes what they leave of the list beside
// room for a vertical scroll bar, so that no list scrolls sideways.
int NameColumnWidth(int listWidth, int otherColumnsWidth, int dpi);

struct MainLayout {
    std::vector<ControlPlacement> controls;  // in the order they are moved
    int nameColumnWidth;                     // column 0 of both lists
};

struct ClientSize {
    int width;
    int height;
};

// otherColumnsWidth: Size and Modified together, as the lists have them. The
// status line spans its whole row; the progress bar, shown while a batch
// runs, takes the row's right quarter, and the status line then gives way to
// it (StatusRow).
MainLayout ComputeMainLayout(int clientWidth, int clientHeight, int dpi = kDefaultDpi, int otherColumnsWidth = 0);

// The smallest client area in which no two controls overlap and the lists
// still show a few rows.
ClientSize MinimumClientSize(int dpi);

// The client size the window opens with: the template's (`opened`), widened
// until the name column holds an ordinary file name beside the other columns
// (otherColumnsWidth), but never beyond `largest`, the client that fits the
// screen's work area, and never below the minimum size.
ClientSize DefaultClientSize(ClientSize opened, ClientSize largest, int otherColumnsWidth, int dpi);
