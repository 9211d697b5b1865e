#pragma once
// The texts of the Length, File size and Sample rate cells.
#include <cstdint>
#include <string>

#include "platform/LocaleSeparators.h"

// Minutes and seconds, "nn" + time separator + "ss", below an hour; from an hour on, hours
// (as many digits as they take) before them, "h:nn:ss". Milliseconds are dropped.
void appendLength(std::string& out, std::int64_t milliseconds, const platform::LocaleSeparators& seps);
std::string formatLength(std::int64_t milliseconds, const platform::LocaleSeparators& seps);

// The size in the unit (0 bytes, 1 kilobytes, 2 megabytes) with two decimals rounded half away
// from zero, thousands grouped, and " B", " kB" or " MB"; nothing for any other unit. Worked out
// in integers so that no floating-point error can move a digit.
void appendSize(std::string& out, std::uint64_t bytes, int unit, const platform::LocaleSeparators& seps);
std::string formatSize(std::uint64_t bytes, int unit, const platform::LocaleSeparators& seps);

// A count with its thousands grouped as sizes are ("544,192"), for the window's progress.
std::string formatCount(std::uint64_t count, const platform::LocaleSeparators& seps);

// The number in decimal, without a separator.
void appendNumber(std::string& out, std::int64_t n);

// Kilohertz with "." and up to three decimals, no trailing zeros, then " kHz": "44.1 kHz",
// "48 kHz", "11.025 kHz".
void appendSampleRate(std::string& out, std::int32_t hertz);
