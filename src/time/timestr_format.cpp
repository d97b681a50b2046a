// TimeStr: the date in the locale's order and separator, then the time of
// day. Digits are written directly: this runs for every time value a list or
// an export shows.
#include <cstring>

#include "frame/locale_state.h"
#include "port/strings.h"
#include "time/broken.h"
#include "time/clock.h"
#include "time/timestr.h"

namespace vt::time {

namespace {

constexpr unsigned kFirstWeekdayString = 18;  // string table: "So" ... "Sa"
constexpr int kWeekdayRoom = 3;               // two letters and the terminator
constexpr char kNoValue[] = "kein Wert";

char* put2(char* p, int32_t v) {
  if (v < 0 || v > 99) {
    // Never met for broken-down fields; keeps the width bounded regardless.
    v = ((v % 100) + 100) % 100;
  }
  p[0] = static_cast<char>('0' + v / 10);
  p[1] = static_cast<char>('0' + v % 10);
  return p + 2;
}

char* put4(char* p, int32_t v) {
  p = put2(p, v / 100 % 100);
  return put2(p, v % 100);
}

// "%03i" of a value between -999 and 999: the width counts the sign, so
// -7 is "-07" and -999 is "-999".
char* put3_signed(char* p, int32_t v) {
  if (v >= 0) {
    *p++ = static_cast<char>('0' + v / 100);
    return put2(p, v % 100);
  }
  *p++ = '-';
  v = -v;
  if (v >= 100) *p++ = static_cast<char>('0' + v / 100);
  return put2(p, v % 100);
}

uint16_t order_flag(const char* order, int pos) {
  if (pos >= 3) return 0;
  switch (order[pos]) {
    case 'D': return kTsDay;
    case 'M': return kTsMonth;
    case 'Y': return kTsYear;
    default: return 0;
  }
}

}  // namespace

char* format_time(char* buf, uint32_t t, int16_t ms, uint16_t flags) {
  if (flags & kTsNow) t = now();
  if (t == kInvalidTime) {
    std::memcpy(buf, kNoValue, sizeof kNoValue);
    return buf;
  }
  buf[0] = '\0';
  vt_tm fields;
  if (!local_fields(t, fields)) return buf;
  const vt_tm* r = &fields;
  char* p = buf;
  if (flags & kTsWeekday) {
    if (port::load_string(kFirstWeekdayString + r->tm_wday, p, kWeekdayRoom) > 0) {
      p += std::strlen(p);
      *p++ = ' ';
    }
  }
  const char* order = frame::date_order();
  const char date_sep = frame::date_separator();
  const char time_sep = frame::time_separator();
  for (int pos = 0; pos < 3; ++pos) {
    uint16_t part = order_flag(order, pos);
    if (!(flags & part)) continue;
    if (part == kTsDay) p = put2(p, r->tm_mday);
    if (part == kTsMonth) p = put2(p, r->tm_mon + 1);
    if (part == kTsYear) p = put4(p, r->tm_year + 1900);
    if (pos < 2 && order_flag(order, pos + 1)) *p++ = date_sep;
  }
  const uint16_t date_parts = kTsDay | kTsMonth | kTsYear;
  const uint16_t time_parts = kTsMilliseconds | kTsSeconds | kTsMinutes | kTsHours;
  if ((flags & date_parts) && (flags & time_parts)) *p++ = ' ';
  // A part that ends the text writes NUL in its separator's place; parts
  // asked for after it land behind that NUL and do not show.
  if (flags & kTsHours) {
    p = put2(p, r->tm_hour);
    *p++ = time_sep;
  }
  if (flags & kTsMinutes) {
    p = put2(p, r->tm_min);
    *p++ = (flags & kTsSeconds) ? time_sep : '\0';
  }
  if (flags & kTsSeconds) {
    p = put2(p, r->tm_sec);
    *p++ = (flags & kTsMilliseconds) ? '.' : '\0';
  }
  if (flags & kTsMilliseconds) p = put3_signed(p, ms % 1000);
  *p = '\0';
  return buf;
}

}  // namespace vt::time
