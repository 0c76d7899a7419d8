// Where the main window's controls go for a client size in pixels. The local
// pane hangs from the left edge and the centre, the FTP pane from the centre and
// the right edge, the transfer buttons stay centred at the bottom.
#pragma once

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

MainLayout ComputeMainLayout(int clientWidth, int clientHeight);
