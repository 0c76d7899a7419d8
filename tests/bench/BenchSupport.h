// What the benchmarks share: the wall time of one run, the median of several,
// and the FTP engine as the program builds it.
#pragma once

#include "ftp/FtpEngine.h"
#include "ftp/WinInetFtp.h"

#include <algorithm>
#include <chrono>
#include <functional>
#include <vector>

namespace bench {

inline double Milliseconds(const std::function<void()>& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

inline double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

inline FtpEngine& Engine()
{
    static WinInetFtp winInet;
    static FtpEngine engine(winInet);
    return engine;
}

}  // namespace bench
