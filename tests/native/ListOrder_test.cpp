// The rows of both lists: what a listing turns into, which times are shown,
// and every order a header click chooses, against a stand-in for the
// system's name comparison (case aside, digits as numbers).
#include "localpane/LocalFiles.h"
#include "panes/ListRows.h"
#include "panes/RowOrder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>
#include <numeric>

namespace {

using Names = std::vector<std::wstring>;

int NaturalCompare(const std::wstring& a, const std::wstring& b)
{
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (std::iswdigit(a[i]) && std::iswdigit(b[j])) {
            std::size_t endA = i, endB = j;
            while (endA < a.size() && std::iswdigit(a[endA]))
                ++endA;
            while (endB < b.size() && std::iswdigit(b[endB]))
                ++endB;
            const unsigned long x = std::stoul(a.substr(i, endA - i)), y = std::stoul(b.substr(j, endB - j));
            if (x != y)
                return x < y ? -1 : 1;
            i = endA;
            j = endB;
            continue;
        }
        const wint_t x = std::towlower(a[i++]), y = std::towlower(b[j++]);
        if (x != y)
            return x < y ? -1 : 1;
    }
    return (a.size() - i > 0) - (b.size() - j > 0);
}

constexpr std::uint64_t kDay = 864000000000ull;
constexpr std::uint64_t kNow = 155000 * kDay;  // in the year 2025

Names Sorted(const std::vector<ListRow>& rows, const RowOrder& order)
{
    std::vector<std::size_t> positions(rows.size());
    std::iota(positions.begin(), positions.end(), 0);
    std::sort(positions.begin(), positions.end(), [&](std::size_t a, std::size_t b) {
        return order.Compare(rows[a], a, rows[b], b, NaturalCompare) < 0;
    });
    Names names;
    for (std::size_t position : positions)
        names.push_back(rows[position].name);
    return names;
}

}  // namespace

TEST(ListRows, TheParentRowComesFirstAndOnlyTimesThatCanBeTrueAreKept)
{
    LocalListing listing;
    listing.folderNames = {L"b10", L"a"};
    listing.folderTimes = {kNow - kDay, 0};
    listing.fileNames = {L"x.txt", L"y.txt"};
    listing.fileSizes = {5};  // a short list reads as 0
    listing.fileTimes = {kNow + 2 * kDay, kNow};
    listing.parentTime = 100;
    const std::vector<ListRow> rows = MakeListRows(listing, kNow);
    ASSERT_EQ(rows.size(), 5u);
    const RowKind kinds[] = {RowKind::Parent, RowKind::Folder, RowKind::Folder, RowKind::File, RowKind::File};
    const std::uint64_t times[] = {0, kNow - kDay, 0, 0, kNow};
    const std::uint64_t sizes[] = {0, 0, 0, 5, 0};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].kind, kinds[i]) << i;
        EXPECT_EQ(rows[i].modified, times[i]) << i;
        EXPECT_EQ(rows[i].size, sizes[i]) << i;
    }
    EXPECT_EQ(rows[0].name, L"[...]");
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
        {L"[...]", RowKind::Parent, 0, 9},       {L"b10", RowKind::Folder, 0, 300},
        {L"B2", RowKind::Folder, 0, 100},        {L"a", RowKind::Folder, 0, 200},
        {L"x10.txt", RowKind::File, 5, 300},     {L"x9.txt", RowKind::File, 50, 100},
        {L"Y.txt", RowKind::File, 5, 0},
    };
    RowOrder order;
    EXPECT_FALSE(order.IsChosen());
    EXPECT_EQ(Sorted(rows, order), (Names{L"[...]", L"b10", L"B2", L"a", L"x10.txt", L"x9.txt", L"Y.txt"}));
    struct Step { int column; bool descending; Names names; };
    const Step steps[] = {
        {0, false, {L"[...]", L"a", L"B2", L"b10", L"x9.txt", L"x10.txt", L"Y.txt"}},
        {0, true, {L"[...]", L"b10", L"B2", L"a", L"Y.txt", L"x10.txt", L"x9.txt"}},
        // Equal sizes (all folders, two files) fall back on the names, ascending.
        {1, false, {L"[...]", L"a", L"B2", L"b10", L"x10.txt", L"Y.txt", L"x9.txt"}},
        {1, true, {L"[...]", L"a", L"B2", L"b10", L"x9.txt", L"x10.txt", L"Y.txt"}},
        {2, false, {L"[...]", L"B2", L"a", L"b10", L"Y.txt", L"x9.txt", L"x10.txt"}},
        {7, false, {L"[...]", L"B2", L"a", L"b10", L"Y.txt", L"x9.txt", L"x10.txt"}},  // no such column
        {2, true, {L"[...]", L"b10", L"a", L"B2", L"x10.txt", L"x9.txt", L"Y.txt"}},
    };
    for (const Step& step : steps) {
        order.Click(step.column);
        EXPECT_EQ(order.Descending(), step.descending) << step.column;
        EXPECT_EQ(Sorted(rows, order), step.names) << step.column;
    }
}

TEST(RowOrderTest, RowsAlikeInEverythingKeepTheirListingOrder)
{
    // A server that tells case apart may list both; identical rows cannot
    // otherwise be told apart and keep their places.
    const std::vector<ListRow> rows = {{L"readme", RowKind::File, 1, 0}, {L"README", RowKind::File, 1, 0},
                                       {L"same", RowKind::File, 1, 0},   {L"same", RowKind::File, 1, 0}};
    RowOrder order;
    order.Click(0);
    EXPECT_EQ(Sorted(rows, order), (Names{L"README", L"readme", L"same", L"same"}));
    EXPECT_LT(order.Compare(rows[2], 2, rows[3], 3, NaturalCompare), 0);
    EXPECT_GT(order.Compare(rows[3], 3, rows[2], 2, NaturalCompare), 0);
}
