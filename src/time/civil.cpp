// Closed-form day splitting over four-year cycles. The month of a day of the
// year comes from one table laid out for a leap year; a common year's days
// from 1 March on are shifted by one to use the same table.
#include "time/civil.h"

#include <array>

namespace vt::time::civil {

namespace {

constexpr int32_t kLeapDayIndex = 59;  // 0-based day of the year of 29 February

constexpr std::array<int32_t, 13> kDaysBeforeCommon = {0,   31,  59,  90,  120, 151, 181,
                                                       212, 243, 273, 304, 334, 365};
constexpr std::array<int32_t, 13> kDaysBeforeLeap = {0,   31,  60,  91,  121, 152, 182,
                                                     213, 244, 274, 305, 335, 366};

// Month (0-11) of each day of a leap year.
constexpr std::array<uint8_t, 366> make_month_of_day() {
  std::array<uint8_t, 366> t{};
  for (int m = 0; m < 12; ++m)
    for (int d = kDaysBeforeLeap[m]; d < kDaysBeforeLeap[m + 1]; ++d) t[d] = static_cast<uint8_t>(m);
  return t;
}
constexpr std::array<uint8_t, 366> kMonthOfLeapDay = make_month_of_day();

}  // namespace

int32_t days_before_month(bool leap, int32_t month) {
  return leap ? kDaysBeforeLeap[month] : kDaysBeforeCommon[month];
}

int32_t days_in_month(bool leap, int32_t month) {
  return days_before_month(leap, month + 1) - days_before_month(leap, month);
}

Date split_days(int32_t days) {
  Date d;
  // r: day within a cycle that starts with a leap year (1968, 1972, ...).
  int32_t n = days + kCycleStartToEpoch;
  int32_t cycle = n / kDaysPerCycle;
  int32_t r = n % kDaysPerCycle;
  int32_t year_in_cycle = r < 366 ? 0 : (r - 1) / 365;
  d.yday = r < 366 ? r : (r - 1) % 365;
  d.year = 68 + 4 * cycle + year_in_cycle;
  bool leap = year_in_cycle == 0;
  int32_t leap_index = d.yday + (!leap && d.yday >= kLeapDayIndex ? 1 : 0);
  d.month = kMonthOfLeapDay[leap_index];
  d.mday = leap_index - kDaysBeforeLeap[d.month] + 1;
  d.wday = weekday(days);
  return d;
}

}  // namespace vt::time::civil
