#include "transfer/TransferProgress.h"

#include "i18n/LanguageFile.h"
#include "panes/SizeText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr double kKilo = 1024.0;

// The unit the size column would use, as an index into ProgressWords::units.
int UnitOf(std::uint64_t bytes)
{
    switch (SizeUnitText(bytes)) {
    case TextId::kBytes: return 0;
    case TextId::kKilobytes: return 1;
    case TextId::kMegabytes: return 2;
    default: return 3;
    }
}

// The number in the unit, one decimal (none for bytes), with the locale's mark.
std::wstring Number(std::uint64_t bytes, int unit, const std::wstring& decimalMark)
{
    const double value = static_cast<double>(bytes) / std::pow(kKilo, unit);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, unit == 0 ? "%.0f" : "%.1f", value);
    std::wstring text(buffer, buffer + std::char_traits<char>::length(buffer));
    const std::size_t point = text.find(L'.');
    if (point != std::wstring::npos)
        text.replace(point, 1, decimalMark);
    return text;
}

std::wstring Duration(std::uint64_t seconds, const ProgressWords& words)
{
    if (seconds < 60)
        return FillPlaceholder(words.seconds, std::to_wstring(seconds));
    if (seconds < 3600)
        return FillPlaceholders(words.minutesSeconds, {std::to_wstring(seconds / 60), std::to_wstring(seconds % 60)});
    return FillPlaceholders(words.hoursMinutes, {std::to_wstring(seconds / 3600), std::to_wstring(seconds / 60 % 60)});
}

}  // namespace

void TransferProgress::Start(std::optional<std::uint64_t> batchTotal, double now)
{
    *this = TransferProgress();
    m_batchTotal = batchTotal;
    m_start = now;
}

void TransferProgress::StartFile(const std::wstring& name, std::optional<std::uint64_t> size, int lane)
{
    m_name = name;
    m_latest = lane;
    m_files[lane] = {size, 0};
}

void TransferProgress::FileBytes(std::uint64_t bytes, int lane) { m_files[lane].bytes = bytes; }

void TransferProgress::EndFile(std::uint64_t bytes, int lane)
{
    const auto file = m_files.find(lane);
    m_doneBefore += bytes;
    if (m_batchTotal) {
        const std::uint64_t planned = file != m_files.end() && file->second.size ? *file->second.size : bytes;
        *m_batchTotal = *m_batchTotal - std::min(planned, *m_batchTotal) + bytes;
        if (file != m_files.end())
            file->second.bytes = 0;
    } else if (file != m_files.end()) {
        // Without a batch total the text goes on telling the file that ended,
        // with what moved: a size that was never known is not made up.
        file->second.bytes = bytes;
    }
}

std::uint64_t TransferProgress::InFlight() const
{
    std::uint64_t bytes = 0;
    for (const auto& [lane, file] : m_files)
        bytes += file.bytes;
    return bytes;
}

bool TransferProgress::Due(double now)
{
    if (m_lastShown && now - *m_lastShown < kUpdateInterval)
        return false;
    m_lastShown = now;
    return true;
}

std::optional<std::uint64_t> TransferProgress::Total() const
{
    if (m_batchTotal)
        return std::max(*m_batchTotal, Done());
    const auto latest = m_files.find(m_latest);
    if (latest != m_files.end() && latest->second.size)
        return std::max(*latest->second.size, latest->second.bytes);
    return std::nullopt;
}

std::uint64_t TransferProgress::Done() const
{
    if (m_batchTotal)
        return m_doneBefore + InFlight();
    const auto latest = m_files.find(m_latest);
    return latest != m_files.end() ? latest->second.bytes : 0;
}

int TransferProgress::Permille() const
{
    const std::optional<std::uint64_t> total = Total();
    if (!total)
        return 0;
    if (*total == 0)
        return 1000;
    // A file that grew since it was listed moves more than the total planned.
    return static_cast<int>(std::min(1000.0, static_cast<double>(Done()) * 1000.0 / static_cast<double>(*total)));
}

std::wstring TransferProgress::Text(const ProgressWords& words, double now) const
{
    const std::optional<std::uint64_t> total = Total();
    const std::uint64_t done = Done();
    const int unit = UnitOf(total.value_or(done));
    std::wstring text = m_name + L"  ";
    if (total) {
        const std::uint64_t percent = *total == 0 ? 100 : done * 100 / *total;
        text += FillPlaceholders(words.ofTotal, {Number(done, unit, words.decimalMark),
                                                 Number(*total, unit, words.decimalMark) + L" " + words.units[unit],
                                                 std::to_wstring(percent)});
    } else {
        text += Number(done, unit, words.decimalMark) + L" " + words.units[unit];
    }
    const double elapsed = now - m_start - m_paused;
    const std::uint64_t moved = m_doneBefore + InFlight();
    if (elapsed < kSpeedAfter || moved == 0)
        return text;
    const double speed = static_cast<double>(moved) / elapsed;
    const int speedUnit = UnitOf(static_cast<std::uint64_t>(speed));
    text += L"  " + Number(static_cast<std::uint64_t>(speed), speedUnit, words.decimalMark) + L" " +
            words.units[speedUnit] + L"/s";
    if (total && *total > done) {
        const auto secondsLeft = static_cast<std::uint64_t>(std::ceil(static_cast<double>(*total - done) / speed));
        text += L"  " + FillPlaceholder(words.timeLeft, Duration(secondsLeft, words));
    }
    return text;
}
