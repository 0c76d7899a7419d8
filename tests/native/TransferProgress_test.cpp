// The progress text and bar of a transfer batch: units, the locale's decimal
// mark, speed and time left, totals that shrink with skipped files, and the
// ten-a-second limit.
#include "transfer/TransferProgress.h"

#include <gtest/gtest.h>

namespace {

constexpr std::uint64_t kMiB = 1024 * 1024;
constexpr std::uint64_t kGiB = 1024 * kMiB;

const ProgressWords kWords = {L"%1 of %2 (%3 %)", L"%1 left", L"%1 s", L"%1 min %2 s", L"%1 h %2 min",
                              {L"Bytes", L"KB", L"MB", L"GB"}, L","};

}  // namespace

TEST(TransferProgressTest, TextTellsBytesPercentSpeedAndTimeLeft)
{
    struct Case {
        std::optional<std::uint64_t> total;
        std::uint64_t done;
        double now;
        const wchar_t* text;
    };
    const Case cases[] = {
        {300 * kMiB, 12 * kMiB + kMiB / 2, 1.0, L"f  12,5 of 300,0 MB (4 %)  12,5 MB/s  23 s left"},
        {10, 0, 0.1, L"f  0 of 10 Bytes (0 %)"},  // too early for a speed
        {std::nullopt, 2 * kMiB, 1.0, L"f  2,0 MB  2,0 MB/s"},
        {10 * kGiB, kGiB, 100.0, L"f  1,0 of 10,0 GB (10 %)  10,2 MB/s  15 min 0 s left"},
        {100 * kGiB, kGiB, 100.0, L"f  1,0 of 100,0 GB (1 %)  10,2 MB/s  2 h 45 min left"},
        {6 * kGiB, 6 * kGiB, 2.0, L"f  6,0 of 6,0 GB (100 %)  3,0 GB/s"},
        {0, 0, 1.0, L"f  0 of 0 Bytes (100 %)"},
    };
    for (const Case& c : cases) {
        TransferProgress progress;
        progress.Start(c.total, 0.0);
        progress.StartFile(L"f", c.total);
        progress.FileBytes(c.done);
        EXPECT_EQ(progress.Text(kWords, c.now), c.text);
    }
}

TEST(TransferProgressTest, BarCountsTheBatchAndLeavesOutSkippedBytesAndQuestionTime)
{
    TransferProgress progress;
    progress.Start(4 * kMiB, 0.0);
    progress.StartFile(L"a", kMiB);
    progress.EndFile(kMiB);
    progress.StartFile(L"skipped", 2 * kMiB);
    progress.EndFile(0);
    EXPECT_EQ(progress.Permille(), 500);  // 1 of the 2 MiB left to move
    progress.Pause(9.0);                  // waiting for an answer
    progress.StartFile(L"b", kMiB);
    progress.FileBytes(kMiB / 2);
    EXPECT_EQ(progress.Permille(), 750);
    EXPECT_EQ(progress.Text(kWords, 10.0), L"b  1,5 of 2,0 MB (75 %)  1,5 MB/s  1 s left");

    // Without a batch total the bar follows the file.
    progress.Start(std::nullopt, 0.0);
    progress.StartFile(L"c", 4 * kMiB);
    progress.FileBytes(kMiB);
    EXPECT_EQ(progress.Permille(), 250);
    progress.StartFile(L"d", std::nullopt);  // a size nobody knew
    progress.FileBytes(3);
    progress.EndFile(5);
    EXPECT_EQ(progress.Text(kWords, 0.1), L"d  5 Bytes");

    EXPECT_TRUE(progress.Due(5.0));
    EXPECT_FALSE(progress.Due(5.05));
    EXPECT_TRUE(progress.Due(5.2));
}
