// The rows of both lists: what a listing turns into, which times are shown,
// and every order a header click chooses, against a stand-in for the
// system's name comparison.
#include "localpane/LocalFiles.h"
#include "panes/ListRows.h"
#include "panes/RowOrder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>
#include <numeric>

namespace {

using Names = std::vector<std::wstring>;

// Case aside; the system's comparison also takes digits as numbers, which
// the Windows tests see.
int CaseInsensitive(const std::wstring& a, const std::wstring& b)
{
    const auto lower = [](std::wstring text) {
        for (wchar_t& c : text)
            c = static_cast<wchar_t>(std::towlower(c));
        return text;
    };
    return lower(a).compare(lower(b));
}

constexpr std::uint64_t kDay = 864000000000ull;
constexpr std::uint64_t kNow = 155000 * kDay;  // in the year 2025

Names Sorted(const std::vector<ListRow>& rows, const RowOrder& order)
{
    std::vector<std::size_t> positions(rows.size());
    std::iota(positions.begin(), positions.end(), 0);
    std::sort(positions.begin(), positions.end(), [&](std::size_t a, std::size_t b) {
        return order.Compare(rows[a], a, rows[b], b, CaseInsensitive) < 0;
    });
    Names names;
    for (std::size_t position : positions)
        names.push_back(rows[position].name);
    return names;
}

}  // namespace

TEST(ListRows, TheParentRowFirstThenFoldersAndFilesWithOnlyShownTimes)
{
    LocalListing listing;
    listing.folderNames = {L"b"};
    listing.folderTimes = {kNow + 2 * kDay};  // far ahead: not shown
    listing.fileNames = {L"x.txt", L"y.txt"};
    listing.fileSizes = {5};                  // a short list reads as 0
    listing.fileTimes = {kNow};
    const std::vector<ListRow> rows = MakeListRows(listing, kNow);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].kind, RowKind::Parent);
    EXPECT_EQ(rows[0].modified, 0u);
    EXPECT_EQ(rows[1].kind, RowKind::Folder);
    EXPECT_EQ(rows[1].modified, 0u);
    EXPECT_EQ(rows[2].size, 5u);
    EXPECT_EQ(rows[2].modified, kNow);
    EXPECT_EQ(rows[3].size + rows[3].modified, 0u);
}

TEST(ListRows, ShownTimesLeaveOutNoneTheYear1601AndTheFarFuture)
{
    struct Case { std::uint64_t time; bool shown; };
    const Case cases[] = {
        {0, false},
        {1, false},                  // 1601-01-01, a listing's "no time"
        {365 * kDay - 1, false},     // still 1601
        {365 * kDay, true},          // 1602-01-01
        {kNow - 3000 * kDay, true},
        {kNow + kDay, true},         // a server clock a little ahead
        {kNow + kDay + 1, false},
        {~0ull, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ShownTime(c.time, kNow), c.shown ? c.time : 0) << c.time;
}

TEST(RowOrderTest, EachHeaderClickSortsWithTheParentRowAndFoldersFirst)
{
    const std::vector<ListRow> rows = {
        {L"[...]", RowKind::Parent, 0, 9},  {L"c", RowKind::Folder, 0, 300},    {L"B", RowKind::Folder, 0, 100},
        {L"a", RowKind::Folder, 0, 200},    {L"y.txt", RowKind::File, 5, 300}, {L"x.txt", RowKind::File, 50, 100},
        {L"Z.txt", RowKind::File, 5, 0},
    };
    RowOrder order;
    EXPECT_FALSE(order.IsChosen());
    EXPECT_EQ(Sorted(rows, order), (Names{L"[...]", L"c", L"B", L"a", L"y.txt", L"x.txt", L"Z.txt"}));
    struct Step { int column; bool descending; Names names; };
    const Step steps[] = {
        {0, false, {L"[...]", L"a", L"B", L"c", L"x.txt", L"y.txt", L"Z.txt"}},
        {0, true, {L"[...]", L"c", L"B", L"a", L"Z.txt", L"y.txt", L"x.txt"}},
        // Equal sizes (all folders, two files) fall back on the names, ascending.
        {1, false, {L"[...]", L"a", L"B", L"c", L"y.txt", L"Z.txt", L"x.txt"}},
        {1, true, {L"[...]", L"a", L"B", L"c", L"x.txt", L"y.txt", L"Z.txt"}},
        {2, false, {L"[...]", L"B", L"a", L"c", L"Z.txt", L"x.txt", L"y.txt"}},
        {7, false, {L"[...]", L"B", L"a", L"c", L"Z.txt", L"x.txt", L"y.txt"}},  // no such column
        {2, true, {L"[...]", L"c", L"a", L"B", L"y.txt", L"x.txt", L"Z.txt"}},
    };
    for (const Step& step : steps) {
        order.Click(step.column);
        EXPECT_EQ(order.Descending(), step.descending) << step.column;
        EXPECT_EQ(Sorted(rows, order), step.names) << step.column;
    }
}

TEST(RowOrderTest, RowsAlikeInEverythingElseKeepTheirListingOrder)
{
    // From a server that tells case apart, and two rows nothing else tells apart.
    const std::vector<ListRow> rows = {{L"readme", RowKind::File}, {L"README", RowKind::File},
                                       {L"same", RowKind::File},   {L"same", RowKind::File}};
    RowOrder order;
    order.Click(0);
    EXPECT_EQ(Sorted(rows, order), (Names{L"README", L"readme", L"same", L"same"}));
    EXPECT_LT(order.Compare(rows[2], 2, rows[3], 3, CaseInsensitive), 0);
    EXPECT_GT(order.Compare(rows[3], 3, rows[2], 2, CaseInsensitive), 0);
}
