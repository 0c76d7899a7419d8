// Pixel sizes at a display's DPI. Every pixel rule of the program is written
// for 96 DPI, the scale of 1.0; 144 DPI (150 %) makes them 1.5 times as large.
#pragma once

#include <vector>

constexpr int kDefaultDpi = 96;

// `pixels` at 96 DPI scaled to `dpi`, rounded half away from zero, so that an
// offset to the left of a centre scales like its mirror image to the right.
int ScaleForDpi(int pixels, int dpi);

// `pixels` at one DPI carried over to another, for sizes the user may have
// changed (a column dragged wider) when the window moves to another display.
int RescaleForDpi(int pixels, int fromDpi, int toDpi);

// Of the sizes an image is drawn at (ascending), the one nearest to `wanted`;
// of two equally near the larger, since shrinking keeps more of the drawing.
int NearestDrawnSize(const std::vector<int>& drawn, int wanted);
