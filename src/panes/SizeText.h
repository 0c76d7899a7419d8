// The size column's text, shared by both lists: the number, one blank, a unit.
#pragma once

#include "i18n/TextId.h"

#include <cstdint>
#include <string>

// Which unit text a size uses: bytes, kilobytes, megabytes or gigabytes.
TextId SizeUnitText(std::uint64_t bytes);

// The number part with its trailing blank, e.g. "1.50 " for 1536 bytes. The value
// is rounded to single precision before formatting, so 1048575 bytes read
// "1024.00 " kilobytes.
std::wstring SizeNumberText(std::uint64_t bytes);

// Number and unit: SizeNumberText + the unit's translated text.
std::wstring FormatSizeText(std::uint64_t bytes, const std::wstring& unitText);
