// The tables of the civil calendar. The month of a day of the year comes
// from one table laid out for a leap year; a common year's days from 1 March
// on are shifted by one to use the same table (see split_days).
#include "time/civil.h"

#include <array>

namespace vt::time::civil {

namespace {

struct MonthTable {
  uint8_t month[366];
};

// Month (0-11) of each day of a leap year.
constexpr MonthTable make_month_of_day() {
  constexpr int32_t before[13] = {0, 31, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335, 366};
  MonthTable t{};
  for (int m = 0; m < 12; ++m)
    for (int d = before[m]; d < before[m + 1]; ++d) t.month[d] = static_cast<uint8_t>(m);
  return t;
}
constexpr MonthTable kMonthTable = make_month_of_day();

}  // namespace

namespace detail {
const int32_t kDaysBeforeLeap[13] = {0, 31, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335, 366};
const int32_t kDaysBeforeCommon[13] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365};
const uint8_t (&kMonthOfLeapDay)[366] = kMonthTable.month;
}  // namespace detail

}  // namespace vt::time::civil
