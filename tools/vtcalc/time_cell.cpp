#include "time_cell.h"

#include <cstdint>
#include <cstring>

namespace vtcalc {

namespace {

// Longer texts are no time: the library's time texts are far shorter.
constexpr std::size_t kTimeTextLimit = 80;
constexpr std::int16_t kDateAndTime =
    VT_TS_DAY | VT_TS_MONTH | VT_TS_YEAR | VT_TS_HOURS | VT_TS_MINUTES | VT_TS_SECONDS;
constexpr int kRequireDateAndClock = 2;  // ScanTimeStr's strictest reading
constexpr vt_time_t kExampleTime = 1715949045;  // 2024-05-17 12:30:45 UTC

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// Epoch seconds with an optional fraction, rounded to the millisecond.
// False when `text` is not of that form or the value is past the range.
bool read_epoch(const char* p, const char* end, bool decimal_comma, std::uint32_t& t,
                std::int16_t& ms, bool& has_fraction) {
  if (p == end || !is_digit(*p)) return false;
  std::uint64_t seconds = 0;
  for (; p != end && is_digit(*p); ++p) {
    seconds = seconds * 10 + static_cast<unsigned>(*p - '0');
    if (seconds > VT_TIME_MAX) return false;
  }
  int millis = 0;
  has_fraction = p != end;
  if (has_fraction) {
    if (*p != '.' && !(decimal_comma && *p == ',')) return false;
    ++p;
    if (p == end) return false;
    // Three digits make the milliseconds, the fourth rounds them.
    int digits = 0;
    for (; p != end && is_digit(*p); ++p, ++digits) {
      if (digits < 3) millis = millis * 10 + (*p - '0');
      if (digits == 3 && *p >= '5') ++millis;
    }
    if (p != end) return false;
    for (; digits < 3; ++digits) millis *= 10;
    if (millis == 1000) {
      millis = 0;
      ++seconds;
    }
  }
  if (seconds > VT_TIME_MAX) return false;
  t = static_cast<std::uint32_t>(seconds);
  ms = static_cast<std::int16_t>(millis);
  return true;
}

}  // namespace

bool time_cell_text(const std::string& cell, bool decimal_comma, char* out) {
  out[0] = '\0';
  std::size_t a = cell.find_first_not_of(" \t");
  if (a == std::string::npos) return true;
  std::size_t b = cell.find_last_not_of(" \t") + 1;
  if (b - a >= kTimeTextLimit) return false;
  std::uint32_t t = 0;
  std::int16_t ms = 0;
  bool has_fraction = false;
  const char* first = cell.data() + a;
  const char* last = cell.data() + b;
  if (is_digit(*first) && std::strspn(first, "0123456789.,") >= b - a) {
    if (!read_epoch(first, last, decimal_comma, t, ms, has_fraction)) return false;
  } else {
    char text[kTimeTextLimit];  // ScanTimeStr cuts its text
    std::memcpy(text, first, b - a);
    text[b - a] = '\0';
    vt_time_t scanned = ScanTimeStr(text, kRequireDateAndClock);
    if (scanned == VT_TIME_INVALID) return false;
    t = static_cast<std::uint32_t>(scanned);
  }
  std::int16_t flags = has_fraction ? kDateAndTime | VT_TS_MILLISECONDS : kDateAndTime;
  TimeStr(out, static_cast<vt_time_t>(t), ms, flags);
  // Empty when the local time falls outside 1970-2099.
  return out[0] != '\0';
}

std::string example_time_text() {
  char buf[kTimeCellSize];
  return TimeStr(buf, kExampleTime, 0, kDateAndTime);
}

}  // namespace vtcalc
