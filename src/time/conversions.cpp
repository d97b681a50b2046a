#include "time/conversions.h"

#include <cmath>
#include <cstdint>

#include "port/filetime.h"
#include "port/oletime.h"
#include "time/broken.h"

namespace vt::time {

namespace {

// Largest epoch time a tick count converts to: 4294967295 is the invalid one.
constexpr int64_t kMaxWideTime = 4294967294;
constexpr double kSecondsLimit = 4294967296.0;  // 2^32: no wrapped times
constexpr uint16_t kNoWeekday = 0xFFFF;
// A whole millisecond count below 2^32 seconds is stored in a double within
// 0.001 ms of its value; truncating with this allowance keeps x.569 at 569
// where its binary value is x.56899..., while 1.9999 still gives 999.
constexpr double kMsAllowance = 0.002;
constexpr uint64_t kMaxMs = 999;

vt_tm record_of(const port::WallTime& w) {
  vt_tm r{};
  r.tm_year = w.year - 1900;
  r.tm_mon = w.month - 1;
  r.tm_mday = w.day;
  r.tm_hour = w.hour;
  r.tm_min = w.minute;
  r.tm_sec = w.second;
  r.tm_isdst = -1;
  return r;
}

// The ticks since 1970 of a tick count read as a signed 64-bit number,
// without overflow: counts of 2^63 and more are negative as signed counts,
// long before 1970, and false here like any other time before the range.
bool ticks_since_1970(uint64_t ticks, int64_t& since) {
  if (ticks > static_cast<uint64_t>(INT64_MAX)) return false;
  since = static_cast<int64_t>(ticks) - static_cast<int64_t>(port::kTicksTo1970);
  return true;
}

}  // namespace

uint64_t epoch_to_ticks(uint32_t t) {
  if (t == kInvalidTime) return 0;
  return uint64_t{t} * port::kTicksPerSecond + port::kTicksTo1970;
}

uint32_t ticks_to_epoch_wide(uint64_t ticks) {
  int64_t d;
  if (!ticks_since_1970(ticks, d)) return kInvalidTime;
  int64_t q = d / static_cast<int64_t>(port::kTicksPerSecond);
  return q < 0 || q > kMaxWideTime ? kInvalidTime : static_cast<uint32_t>(q);
}

double ticks_to_seconds(uint64_t ticks) {
  const int64_t per_second = static_cast<int64_t>(port::kTicksPerSecond);
  int64_t d;
  if (!ticks_since_1970(ticks, d)) return -1.0;
  int64_t q = d / per_second;
  if (q < 0 || q > kMaxWideTime) return -1.0;
  int64_t ms = d % per_second / static_cast<int64_t>(port::kTicksPerMillisecond);
  return static_cast<double>(q) + static_cast<double>(ms) / 1000.0;
}

uint64_t seconds_to_ticks(double seconds) {
  if (!(seconds >= 0.0) || seconds >= kSecondsLimit) return 0;
  uint64_t whole = static_cast<uint64_t>(seconds);
  uint64_t ms = static_cast<uint64_t>(std::fmod(seconds, 1.0) * 1000.0 + kMsAllowance);
  if (ms > kMaxMs) ms = kMaxMs;
  return whole * port::kTicksPerSecond + port::kTicksTo1970 + ms * port::kTicksPerMillisecond;
}

bool epoch_to_wall(uint32_t t, uint16_t ms, port::WallTime& out, bool local) {
  const vt_tm* r = local ? localtime(t) : gmtime(t);
  if (!r) return false;
  out.year = static_cast<uint16_t>(r->tm_year + 1900);
  out.month = static_cast<uint16_t>(r->tm_mon + 1);
  out.day = static_cast<uint16_t>(r->tm_mday);
  out.hour = static_cast<uint16_t>(r->tm_hour);
  out.minute = static_cast<uint16_t>(r->tm_min);
  out.second = static_cast<uint16_t>(r->tm_sec);
  out.milliseconds = ms;
  out.day_of_week = kNoWeekday;
  return true;
}

uint32_t wall_to_epoch(const port::WallTime& w, bool local) {
  vt_tm r = record_of(w);
  return local ? mktime_local(&r) : mktime_utc(&r);
}

double epoch_to_ole(uint32_t t) {
  if (t == kInvalidTime) return 0.0;
  port::WallTime w;
  if (!epoch_to_wall(t, 0, w, true)) return 0.0;
  w.day_of_week = 0;
  double date;
  return port::system_time_to_variant(w, date) ? date : 0.0;
}

uint32_t ole_to_epoch(double date) {
  port::WallTime w;
  if (!port::variant_to_system_time(date, w)) return kInvalidTime;
  return wall_to_epoch(w, true);
}

uint32_t file_time(const char* path) {
  int64_t ticks, d;
  if (!path || !port::last_write_ticks(path, ticks)) return kInvalidTime;
  if (!ticks_since_1970(static_cast<uint64_t>(ticks), d)) return kInvalidTime;
  int64_t q = d / static_cast<int64_t>(port::kTicksPerSecond);
  return q < 0 || q > kMaxTime ? kInvalidTime : static_cast<uint32_t>(q);
}

}  // namespace vt::time
