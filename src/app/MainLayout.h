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

struct MainLayout {
    std::vector<ControlPlacement> controls;  // in the order they are moved
    int nameColumnWidth;                     // column 0 of both lists
};

struct ClientSize {
    int width;
    int height;
};

MainLayout ComputeMainLayout(int clientWidth, int clientHeight, int dpi = kDefaultDpi);

// The smallest client area in which no two controls overlap and the lists
// still show a few rows.
ClientSize MinimumClientSize(int dpi);
