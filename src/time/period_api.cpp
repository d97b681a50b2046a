// The exported period functions and calendar queries.
#include "port/fp_state.h"
#include "time/civil.h"
#include "time/periods.h"
#include "veltra/period.h"

using namespace vt::time;

vt_time_t tmFloor(vt_time_t t, int32_t period) {
  return static_cast<vt_time_t>(period_floor(static_cast<uint32_t>(t), period));
}

vt_time_t tmCeil(vt_time_t t, int32_t period) {
  return static_cast<vt_time_t>(period_ceil(static_cast<uint32_t>(t), period));
}

int32_t tmPeriodLength(vt_time_t t, int32_t period, int flags) {
  return period_length(static_cast<uint32_t>(t), period, flags);
}

int32_t tmv(int what, vt_time_t t, const vt_tm* rec) {
  return calendar_value(what, static_cast<uint32_t>(t), rec);
}

double tmv_dbl(int what, vt_time_t t, const vt_tm* rec) {
  vt::port::FpGuard fp;
  int32_t r = tmv(what, t, rec);
  if (what == 17 || what == 23 || r == -1) return r;
  return static_cast<double>(static_cast<uint32_t>(r));
}

int tmIsDaylightDay(vt_time_t t, const vt_tm* rec) {
  return daylight_day(static_cast<uint32_t>(t), rec);
}

int lcWeekOfYear(const vt_tm* rec, int mode) { return rec ? week_of_year(*rec, mode) : -1; }

int lcLeapYear(const vt_tm* rec) {
  return rec && vt::time::civil::is_gregorian_leap(rec->tm_year + 1900) ? 1 : 0;
}

int lcDaysOfMon(const vt_tm* rec) { return rec ? days_of_month(*rec) : -1; }
