// Points in time as text in the user's notation: writing (TimeStr) and
// reading (ScanTimeStr, and the keyword form ScanHDATime).
#pragma once

#include <cstdint>

namespace vt::time {

constexpr int kTimeStrSize = 28;  // longest text of any flag combination + NUL

// Flags of format_time.
constexpr uint16_t kTsMilliseconds = 0x001, kTsSeconds = 0x002, kTsMinutes = 0x004,
                   kTsHours = 0x008, kTsDay = 0x010, kTsMonth = 0x020, kTsYear = 0x040,
                   kTsWeekday = 0x080, kTsNow = 0x100;

char* format_time(char* buf, uint32_t t, int16_t ms, uint16_t flags);

// The keyword form; kInvalidTime when the text is not one.
uint32_t scan_keyword_time(const char* text);

// The full reader; cuts `text` in place.
uint32_t scan_time(char* text, int strict);

}  // namespace vt::time
