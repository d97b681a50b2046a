// Sampling periods (durations in seconds) as text: "[-][D]d hh:mm:ss[.mmm]"
// written, and a freer form read back.
#pragma once

#include <cstdint>

namespace vt::time {

constexpr int kDurationTextSize = 24;  // sign, 5 day digits, "d ", clock, ".mmm", NUL

char* format_duration(char* buf, int16_t msmode, double seconds);

// -1.0 for a text that is not a duration, 0.0 for a second fraction mark.
double scan_duration(const char* text);

}  // namespace vt::time
