#include "app/ListColumns.h"

#include "app/MainLayout.h"
#include "framework/DpiScale.h"
#include "framework/ListView.h"
#include "i18n/CTranslation.h"
#include "panes/SizeText.h"
#include "panes/UserLocale.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace {

// Pixels at 96 DPI beside a cell's text (the list's margins), and beside a
// heading's text (the header's margins and its sort arrow).
constexpr int kCellRoom = 12;
constexpr int kHeadingRoom = 30;

constexpr std::uint64_t kTicksPerHour = 36000000000ull;
// 2026-11-28 00:58 UTC: two-digit day and month, whatever the time zone.
constexpr std::uint64_t kWideDay = 134402976000000000ull + 58ull * 600000000ull;

int ColumnWidth(const ListView& list, int column, const std::vector<std::wstring>& cells, int dpi)
{
    int widest = list.TextWidth(list.ColumnHeading(column)) + ScaleForDpi(kHeadingRoom, dpi);
    for (const std::wstring& cell : cells)
        widest = std::max(widest, list.TextWidth(cell) + ScaleForDpi(kCellRoom, dpi));
    return widest;
}

}  // namespace

void FitListColumns(const CTranslation& texts, int dpi, const ListView& list)
{
    // The widest number of each unit: "1023 " bytes, "1024.00 " of the others.
    std::vector<std::wstring> sizes;
    for (std::uint64_t bytes : {1023ull, 1048575ull, 1073741823ull, 1099511627775ull})
        sizes.push_back(FormatSizeText(bytes, texts.Text(SizeUnitText(bytes))));
    // Every hour of the day: one- and two-digit hours, before and after noon.
    std::vector<std::wstring> times;
    for (std::uint64_t hour = 0; hour < 24; ++hour)
        times.push_back(LocalTimeText(kWideDay + hour * kTicksPerHour));
    const int size = ColumnWidth(list, 1, sizes, dpi);
    const int modified = ColumnWidth(list, 2, times, dpi);
    list.SetColumnWidth(1, size);
    list.SetColumnWidth(2, modified);
    RECT box = {};
    ::GetWindowRect(list.Handle(), &box);
    list.SetColumnWidth(0, NameColumnWidth(box.right - box.left, size + modified, dpi));
}
