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

// Both lists' columns: size and modified have fixed widths that fit their
// longest texts ("1023 Octets", "12/31/2026 11:59 PM" in the dialog font); the
// name column takes what the list leaves, but never less than its minimum
// (a narrower list scrolls sideways). The template's list holds all three.
constexpr int kSizeColumnWidth = 80;
constexpr int kModifiedColumnWidth = 132;
constexpr int kMinNameColumnWidth = 100;

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
