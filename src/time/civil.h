// Calendar arithmetic of the library's range: day counts to civil dates and
// back, weekdays, leap years. Knows nothing of zones or of the current time.
//
// Day numbers count days since 1970-01-01 (day 0, a Thursday). The library's
// range is 1969-01-01 to 2100-01-01; inside it every fourth year from 1968 is
// a leap year and no century rule applies, which is why the splitting below
// can work in plain four-year cycles instead of 400-year eras.
#pragma once

#include <cstdint>

namespace vt::time::civil {

constexpr int32_t kSecondsPerMinute = 60;
constexpr int32_t kSecondsPerHour = 3600;
constexpr int32_t kSecondsPerDay = 86400;
constexpr int32_t kMillisecondsPerDay = kSecondsPerDay * 1000;
constexpr int32_t kDaysPerWeek = 7;
constexpr int32_t kDaysPerCycle = 4 * 365 + 1;  // four years, one of them leap
constexpr int32_t kEpochWeekday = 4;            // 1970-01-01 was a Thursday
constexpr int32_t kEpochYear = 70;              // in tm_year units (since 1900)
// Days from 1968-01-01, the start of the leap cycle the epoch lies in, to the
// epoch: 1968 (366 days) and 1969 (365 days).
constexpr int32_t kCycleStartToEpoch = 731;

// Calendar fields of one day, in broken-down (tm) units.
struct Date {
  int32_t year;   // years since 1900
  int32_t month;  // 0-11
  int32_t mday;   // 1-31
  int32_t yday;   // 0-365
  int32_t wday;   // 0 = Sunday
};

// Leap year in the library's range: tm_year divisible by 4 and not 200 (so
// 2000 is leap and 2100 is common).
constexpr bool is_leap(int32_t tm_year) { return tm_year % 4 == 0 && tm_year != 200; }

// The Gregorian rule on a full year, for the calendar queries that state it.
constexpr bool is_gregorian_leap(int32_t year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}


// Day number of day `yday` (0-based) of year `tm_year`; valid for
// tm_year 69 to 200.
constexpr int32_t days_from_year_day(int32_t tm_year, int32_t yday) {
  // (tm_year - 1) / 4 leap days since 1900, minus the 17 before 1970.
  return (tm_year - kEpochYear) * 365 + (tm_year - 1) / 4 - 17 + yday;
}

// Weekday (0 = Sunday) of day number `days`, any sign.
constexpr int32_t weekday(int32_t days) {
  int32_t w = (days + kEpochWeekday) % 7;
  return w < 0 ? w + 7 : w;
}

namespace detail {
constexpr int32_t kLeapDayIndex = 59;  // 0-based day of the year of 29 February
extern const uint8_t (&kMonthOfLeapDay)[366];
extern const int32_t kDaysBeforeLeap[13];
extern const int32_t kDaysBeforeCommon[13];
}  // namespace detail

// Days before month `month` (0-11; 12 gives the year length).
inline int32_t days_before_month(bool leap, int32_t month) {
  return leap ? detail::kDaysBeforeLeap[month] : detail::kDaysBeforeCommon[month];
}

constexpr int32_t days_in_year(bool leap) { return leap ? 366 : 365; }

// Days before month `month` (0-11) of year `tm_year`, leap or not.
inline int32_t days_before_month_of(int32_t tm_year, int32_t month) {
  return days_before_month(is_leap(tm_year), month);
}

// Days in month `month` (0-11).
inline int32_t days_in_month(bool leap, int32_t month) {
  return days_before_month(leap, month + 1) - days_before_month(leap, month);
}

// Splits a day number of -731 (1968-01-01) to 47482 (2100-01-01; of 2100
// only its first day, which the leap rule does not touch) into its calendar
// fields: closed form, no loops. Inline: every breakdown runs it.
inline Date split_days(int32_t days) {
  Date d;
  // r: day within a cycle that starts with a leap year (1968, 1972, ...).
  // Unsigned from here: the range makes n non-negative, and unsigned
  // division by a constant is a shorter multiply.
  uint32_t n = static_cast<uint32_t>(days + kCycleStartToEpoch);
  uint32_t cycle = n / kDaysPerCycle;
  uint32_t r = n % kDaysPerCycle;
  uint32_t year_in_cycle = r < 366 ? 0 : (r - 1) / 365;
  d.yday = static_cast<int32_t>(r < 366 ? r : (r - 1) % 365);
  d.year = static_cast<int32_t>(68 + 4 * cycle + year_in_cycle);
  // A common year's days from 1 March on index the leap-year table one on.
  int32_t leap_index = d.yday + (year_in_cycle != 0 && d.yday >= detail::kLeapDayIndex ? 1 : 0);
  d.month = detail::kMonthOfLeapDay[leap_index];
  d.mday = leap_index - detail::kDaysBeforeLeap[d.month] + 1;
  // 1968-01-01 was a Monday: weekday 1.
  d.wday = static_cast<int32_t>((n + 1) % 7);
  return d;
}

}  // namespace vt::time::civil
