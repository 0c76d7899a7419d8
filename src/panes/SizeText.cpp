#include "panes/SizeText.h"

#include <cstdio>

namespace {
constexpr std::uint64_t kKilo = 1024;
constexpr std::uint64_t kMega = kKilo * 1024;
constexpr std::uint64_t kGiga = kMega * 1024;
}  // namespace

TextId SizeUnitText(std::uint64_t bytes)
{
    if (bytes < kKilo)
        return TextId::kBytes;
    if (bytes < kMega)
        return TextId::kKilobytes;
    if (bytes < kGiga)
        return TextId::kMegabytes;
    return TextId::kGigabytes;
}

std::wstring SizeNumberText(std::uint64_t bytes)
{
    const char* format = "%.2f ";
    double divisor = 1.0;
    switch (SizeUnitText(bytes)) {
    case TextId::kBytes: format = "%.0f "; break;
    case TextId::kKilobytes: divisor = static_cast<double>(kKilo); break;
    case TextId::kMegabytes: divisor = static_cast<double>(kMega); break;
    default: divisor = static_cast<double>(kGiga); break;
    }
    const float value = static_cast<float>(static_cast<double>(bytes) / divisor);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, static_cast<double>(value));
    return std::wstring(buffer, buffer + std::char_traits<char>::length(buffer));
}

std::wstring FormatSizeText(std::uint64_t bytes, const std::wstring& unitText)
{
    return SizeNumberText(bytes) + unitText;
}
