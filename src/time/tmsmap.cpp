// The time value class: arithmetic on the double value, and the calendar
// steps through the library's localtime and mktime.
#include "veltra/tmsmap.h"

#include <cmath>

#include "port/fp_state.h"
#include "time/broken.h"
#include "time/civil.h"

using namespace vt::time;

namespace {

constexpr double kTwoTo32 = 4294967296.0;
constexpr double kMsLimit = 9.2e18;  // below 2^63: the millisecond count fits 64 bits
constexpr int kMonthsPerQuarter = 3;

double value_of(vt_time_t t) { return static_cast<double>(static_cast<uint32_t>(t)); }

// -n in 32-bit two's complement: INT_MIN stays INT_MIN instead of
// overflowing; the shift's unsigned arithmetic takes it from there.
int negated(int n) { return static_cast<int>(0u - static_cast<uint32_t>(n)); }

}  // namespace

tmsmap::tmsmap(vt_time_t t) : val(t == -1 ? -1.0 : value_of(t)) {}

tmsmap::tmsmap(vt_time_t t, int16_t ms) : val(conv(t, ms)) {}

double tmsmap::conv(vt_time_t t, int16_t ms) {
  vt::port::FpGuard fp;
  return t == -1 ? -1.0 : value_of(t) + ms / 1000.0;
}

tmsmap tmsmap::operator+(const tmsmap& o) const {
  vt::port::FpGuard fp;
  return tmsmap(val + o.val);
}
tmsmap tmsmap::operator-(const tmsmap& o) const {
  vt::port::FpGuard fp;
  return tmsmap(val - o.val);
}
tmsmap tmsmap::operator*(double d) const {
  vt::port::FpGuard fp;
  return tmsmap(val * d);
}
tmsmap tmsmap::operator*(int32_t n) const {
  vt::port::FpGuard fp;
  return tmsmap(n == -1 ? -1.0 : static_cast<double>(static_cast<uint32_t>(n)) * val);
}
tmsmap tmsmap::operator/(double d) const {
  vt::port::FpGuard fp;
  return tmsmap(val / d);
}
tmsmap tmsmap::operator/(int32_t n) const {
  vt::port::FpGuard fp;
  return tmsmap(val / n * 1000.0);
}

vt_time_t tmsmap::operator!() const {
  vt::port::FpGuard fp;
  if (!(val >= 0.0)) return -1;
  double whole = std::fmod(std::trunc(val), kTwoTo32);  // low 32 bits of the count
  return static_cast<vt_time_t>(static_cast<uint32_t>(whole));
}

int16_t tmsmap::operator~() const {
  vt::port::FpGuard fp;
  double ms = val * 1000.0;
  if (!(std::fabs(ms) < kMsLimit)) return 0;
  return static_cast<int16_t>(static_cast<int64_t>(ms) % 1000);
}

bool tmsmap::eq(const tmsmap& o) const {
  vt::port::FpGuard fp;
  return val == o.val;
}
bool tmsmap::ne(const tmsmap& o) const {
  vt::port::FpGuard fp;
  return val != o.val;
}
bool tmsmap::lt(const tmsmap& o) const {
  vt::port::FpGuard fp;
  return val < o.val;
}
bool tmsmap::gt(const tmsmap& o) const {
  vt::port::FpGuard fp;
  return val > o.val;
}

bool tmsmap::addne(int days, int weeks, int months, int quarters, int years) {
  return subadd_nonequidist(days, weeks, months, quarters, years);
}

bool tmsmap::subne(int days, int weeks, int months, int quarters, int years) {
  return subadd_nonequidist(negated(days), negated(weeks), negated(months), negated(quarters),
                            negated(years));
}

bool tmsmap::subadd_nonequidist(int days, int weeks, int months, int quarters, int years) {
  vt::port::FpGuard fp;
  const vt_tm* now = localtime(static_cast<uint32_t>(!*this));
  if (!now) return false;
  double fraction = std::fmod(val, 1.0);
  vt_tm r = *now;
  // Unsigned arithmetic: absurd counts wrap instead of overflowing; mktime
  // then rejects the result.
  r.tm_mday = static_cast<int32_t>(static_cast<uint32_t>(r.tm_mday) +
                                   static_cast<uint32_t>(weeks) * 7u + static_cast<uint32_t>(days));
  r.tm_mon = static_cast<int32_t>(static_cast<uint32_t>(r.tm_mon) +
                                  static_cast<uint32_t>(quarters) * kMonthsPerQuarter +
                                  static_cast<uint32_t>(months));
  if (r.tm_mon < 0) {
    // Borrow whole years at once (the same as adding 12 while negative).
    int64_t borrow = (-(int64_t{r.tm_mon} + 1)) / 12 + 1;
    r.tm_mon = static_cast<int32_t>(r.tm_mon + 12 * borrow);
    r.tm_year = static_cast<int32_t>(static_cast<uint32_t>(r.tm_year) - static_cast<uint32_t>(borrow));
  }
  r.tm_year = static_cast<int32_t>(static_cast<uint32_t>(r.tm_year) + static_cast<uint32_t>(years));
  r.tm_isdst = -1;
  uint32_t t = mktime_local(&r);
  if (t == kInvalidTime) return false;
  val = t + fraction;
  return true;
}

bool tmsmap::floorne(floormode mode) {
  vt_time_t whole = !*this;
  if (whole == -1) return false;
  uint32_t t = static_cast<uint32_t>(whole);
  switch (mode) {
    case floor_second:
      val = t;
      return true;
    case floor_hour:
      val = t - t % civil::kSecondsPerHour;
      return true;
    case floor_minute:
      val = t - t % civil::kSecondsPerMinute;
      return true;
    default:
      break;
  }
  const vt_tm* now = localtime(t);
  if (!now) return false;
  vt_tm r = *now;
  int32_t hour = r.tm_hour;
  r.tm_sec = r.tm_min = r.tm_hour = 0;
  r.tm_isdst = -1;
  switch (mode) {
    case floor_shift8:
      r.tm_hour = hour / 8 * 8;
      break;
    case floor_shift4:
      r.tm_hour = hour / 4 * 4;
      break;
    case floor_day:
      break;
    case floor_week:
      r.tm_mday -= (r.tm_wday + 6) % 7;
      break;
    default:
      r.tm_mday = 1;
      if (mode == floor_quarter) r.tm_mon = r.tm_mon / 3 * 3;
      if (mode == floor_year || mode == floor_weekyear) r.tm_mon = 0;
      break;
  }
  t = mktime_local(&r);
  if (t == kInvalidTime) return false;
  if (mode == floor_weekyear) {
    // Weekday of 1 January from Monday: the week holding 4 January starts
    // on or before it when 1 January is Monday to Thursday, else after it.
    int32_t w = (r.tm_wday + 6) % 7;
    if (w >= 4)
      t += static_cast<uint32_t>(7 - w) * civil::kSecondsPerDay;
    else
      t -= static_cast<uint32_t>(w) * civil::kSecondsPerDay;
  }
  val = t;
  return true;
}

int tmsmap::daypermonth(vt_time_t t) {
  const vt_tm* r = localtime(static_cast<uint32_t>(t));
  if (!r) return -1;
  return civil::days_in_month(civil::is_gregorian_leap(r->tm_year + 1900), r->tm_mon);
}

int tmsmap::daypermonth() { return daypermonth(!*this); }
