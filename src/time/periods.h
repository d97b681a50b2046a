// Period codes: floors, ceilings and lengths of calendar and equidistant
// periods, and the calendar queries over a broken-down time.
#pragma once

#include <cstdint>

#include "veltra/timezone.h"

namespace vt::time {

uint32_t period_floor(uint32_t t, int32_t period);
uint32_t period_ceil(uint32_t t, int32_t period);
int32_t period_length(uint32_t t, int32_t period, int flags);

int week_of_year(const vt_tm& r, int mode);
int days_of_month(const vt_tm& r);
int daylight_day(uint32_t t, const vt_tm* rec);
int32_t calendar_value(int what, uint32_t t, const vt_tm* rec);

}  // namespace vt::time
