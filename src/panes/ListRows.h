// The rows of either list as the pane keeps them beside the control: the
// parent row first, then the folders, then the files, each in listing order,
// with what the columns show and what sorting compares.
#pragma once

#include "panes/RowKind.h"
#include "panes/RowModel.h"

#include <cstdint>
#include <string>
#include <vector>

// Times are FILETIME ticks: 100 ns since 1601-01-01 UTC; 0 stands for none.
struct ListRow {
    std::wstring name;
    RowKind kind = RowKind::Unknown;
    std::uint64_t size = 0;      // files only
    std::uint64_t modified = 0;  // 0: the Modified column stays empty
};

// The time as the Modified column may show it, or 0. Listings say "no time"
// with 0 or a day of the year 1601, and a damaged entry can lie far ahead;
// up to a day ahead is still shown, since a server's clock and time zone may
// run ahead of ours.
std::uint64_t ShownTime(std::uint64_t time, std::uint64_t now);

// The rows of a listing (local or FTP: both hold folderNames, folderTimes,
// fileNames, fileSizes and fileTimes), times not shown cleared. The parent
// row shows no time in either list.
template <class Listing>
std::vector<ListRow> MakeListRows(const Listing& listing, std::uint64_t now)
{
    const auto at = [](const std::vector<std::uint64_t>& values, std::size_t i) {
        return i < values.size() ? values[i] : 0;
    };
    std::vector<ListRow> rows;
    rows.reserve(1 + listing.folderNames.size() + listing.fileNames.size());
    rows.push_back({kParentRowText, RowKind::Parent, 0, 0});
    for (std::size_t i = 0; i < listing.folderNames.size(); ++i)
        rows.push_back({listing.folderNames[i], RowKind::Folder, 0, ShownTime(at(listing.folderTimes, i), now)});
    for (std::size_t i = 0; i < listing.fileNames.size(); ++i)
        rows.push_back({listing.fileNames[i], RowKind::File, at(listing.fileSizes, i),
                        ShownTime(at(listing.fileTimes, i), now)});
    return rows;
}
