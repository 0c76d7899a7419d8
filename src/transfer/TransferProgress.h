// How far a transfer batch has come: bytes of the whole batch where every
// file's size is known, else of the current file; the speed since the batch
// began (time spent on questions left out) and the time left; and the status
// line's text for it, such as "Prices.csv  12.5 of 300.0 MB (4 %)  38.2 MB/s
// 8 s left". Times are seconds on any steady clock.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>

// The translated pieces of the progress text and the locale's decimal mark.
struct ProgressWords {
    std::wstring ofTotal;         // "%1 of %2 (%3 %)"
    std::wstring timeLeft;        // "%1 left"
    std::wstring seconds;         // "%1 s"
    std::wstring minutesSeconds;  // "%1 min %2 s"
    std::wstring hoursMinutes;    // "%1 h %2 min"
    std::array<std::wstring, 4> units;  // bytes, KB, MB, GB
    std::wstring decimalMark = L".";
};

class TransferProgress {
public:
    // Updates shown at most this often, in seconds.
    static constexpr double kUpdateInterval = 0.1;
    // Before this much time has passed, no speed is told.
    static constexpr double kSpeedAfter = 0.5;

    // batchTotal: the bytes of all files, when every size is known.
    void Start(std::optional<std::uint64_t> batchTotal, double now);
    // Files move side by side, one per lane; the text names the one started last.
    void StartFile(const std::wstring& name, std::optional<std::uint64_t> size, int lane = 0);
    // Bytes of the lane's current file moved so far.
    void FileBytes(std::uint64_t bytes, int lane = 0);
    // The file ended (done, skipped, failed) having moved `bytes`: the batch
    // total then counts what really moved.
    void EndFile(std::uint64_t bytes, int lane = 0);
    // Time spent waiting for the user, left out of the speed.
    void Pause(double seconds) { m_paused += seconds; }

    // True when an update is due (the first always), and marks it shown.
    bool Due(double now);

    // 0 to 1000, for the progress bar.
    int Permille() const;
    std::wstring Text(const ProgressWords& words, double now) const;

private:
    struct File {
        std::optional<std::uint64_t> size;
        std::uint64_t bytes = 0;
    };
    std::optional<std::uint64_t> Total() const;
    std::uint64_t Done() const;
    // Bytes of the files under way.
    std::uint64_t InFlight() const;

    std::optional<std::uint64_t> m_batchTotal;
    std::uint64_t m_doneBefore = 0;  // bytes of the files that ended
    std::wstring m_name;
    int m_latest = 0;  // the lane of the file started last
    std::map<int, File> m_files;
    double m_start = 0;
    double m_paused = 0;
    std::optional<double> m_lastShown;
};
