#include "framework/DpiScale.h"

#include <cstdlib>

int RescaleForDpi(int pixels, int fromDpi, int toDpi)
{
    if (fromDpi <= 0)
        return pixels;
    const long long product = static_cast<long long>(pixels) * toDpi;
    const long long half = fromDpi / 2;
    return static_cast<int>(product < 0 ? (product - half) / fromDpi : (product + half) / fromDpi);
}

int ScaleForDpi(int pixels, int dpi)
{
    return RescaleForDpi(pixels, kDefaultDpi, dpi);
}

int NearestDrawnSize(const std::vector<int>& drawn, int wanted)
{
    int best = drawn.empty() ? wanted : drawn.front();
    for (int size : drawn)
        if (std::abs(size - wanted) <= std::abs(best - wanted))
            best = size;
    return best;
}
