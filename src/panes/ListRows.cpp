#include "panes/ListRows.h"

namespace {
constexpr std::uint64_t kTicksPerDay = 24ull * 60 * 60 * 10000000;
// 1602-01-01: everything before lies in the year 1601.
constexpr std::uint64_t kFirstTimeAfter1601 = 365 * kTicksPerDay;
}  // namespace

std::uint64_t ShownTime(std::uint64_t time, std::uint64_t now)
{
    if (time < kFirstTimeAfter1601 || time > now + kTicksPerDay)
        return 0;
    return time;
}
