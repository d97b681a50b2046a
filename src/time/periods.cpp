// Floors, ceilings and lengths of periods. Calendar periods floor through
// tmsmap and step with its calendar shifts; the lengths apply the change of
// daylight time by fixed rules (last Sundays of March and October) and the
// zone's dstbias, whatever the zone's own transition dates.
#include "time/periods.h"

#include "time/broken.h"
#include "time/civil.h"
#include "time/zone.h"
#include "veltra/tmsmap.h"

namespace vt::time {

namespace {

constexpr int32_t kUtcAligned[] = {10, 20, 30, 60, 300, 600, 900, 1200, 1800, 3600};
constexpr int32_t kBlock4 = 14400, kShift8 = 28800, kDay = civil::kSecondsPerDay;
constexpr int32_t kWeek = 604800, kMonth = 2635200, kQuarter = 7905600, kYear = 31557600;
constexpr int kCountDaylight = 1;  // flag bit of period_length
constexpr int32_t kMarch = 2, kOctober = 9;

bool utc_aligned(int32_t p) {
  for (int32_t a : kUtcAligned)
    if (a == p) return true;
  return false;
}

// The floor mode of a calendar code (only the odd codes beyond the day).
bool calendar_mode(int32_t p, tmsmap::floormode& mode) {
  switch (p) {
    case kBlock4: mode = tmsmap::floor_shift4; return true;
    case kShift8: mode = tmsmap::floor_shift8; return true;
    case kDay: mode = tmsmap::floor_day; return true;
    case kWeek + 1: mode = tmsmap::floor_week; return true;
    case kMonth + 1: mode = tmsmap::floor_month; return true;
    case kQuarter + 1: mode = tmsmap::floor_quarter; return true;
    case kYear + 1: mode = tmsmap::floor_year; return true;
    default: return false;
  }
}

// Offset of local time at t: the standard offset, plus dstbias while
// daylight time is in effect.
uint32_t local_offset(uint32_t t) {
  const ZoneState& z = zone_state();
  const vt_tm* r = localtime(t);
  uint32_t o = static_cast<uint32_t>(z.timezone);
  if (r && r->tm_isdst > 0) o += static_cast<uint32_t>(z.dstbias);
  return o;
}

uint32_t calendar_floor(uint32_t t, tmsmap::floormode mode) {
  tmsmap v(static_cast<vt_time_t>(t));
  v.floorne(mode);
  return static_cast<uint32_t>(!v);
}

// Whether the date of r lies in the week (Monday to Sunday) that ends with
// the last Sunday of its month.
bool in_last_week(const vt_tm& r) {
  int32_t sunday = r.tm_mday + (r.tm_wday == 0 ? 0 : 7 - r.tm_wday);
  int32_t last = days_of_month(r);
  return sunday > last - 7 && sunday <= last;
}

int32_t short_period_length(uint32_t t, int32_t p, int flags) {
  p -= p % 60;  // 604801 counts as the plain week
  if (!(flags & kCountDaylight)) return p;
  const vt_tm* r = localtime(t);
  if (!r) return p;
  if ((p == kBlock4 || p == kShift8) && r->tm_hour >= p / 3600) return p;
  if (!in_last_week(*r)) return p;
  if (r->tm_mon != kMarch && r->tm_mon != kOctober) return p;
  if (p <= kDay && r->tm_wday != 0) return p;
  int32_t bias = zone_state().dstbias;
  return r->tm_mon == kMarch ? p + bias : p - bias;
}

}  // namespace

uint32_t period_floor(uint32_t t, int32_t p) {
  if (p <= 0) return kInvalidTime;
  uint32_t u = static_cast<uint32_t>(p);
  if (utc_aligned(p)) return t - t % u;
  tmsmap::floormode mode;
  if (calendar_mode(p, mode)) return calendar_floor(t, mode);
  uint32_t o = local_offset(t);
  uint32_t l = t - o;
  return l - l % u + o;
}

uint32_t period_ceil(uint32_t t, int32_t p) {
  if (p <= 0) return kInvalidTime;
  uint32_t u = static_cast<uint32_t>(p);
  if (utc_aligned(p)) {
    uint32_t x = t + u - 1;
    return x - x % u;
  }
  tmsmap::floormode mode;
  if (calendar_mode(p, mode)) {
    uint32_t f = calendar_floor(t, mode);
    if (!(f < t)) return f;
    tmsmap v(static_cast<vt_time_t>(f));
    switch (mode) {
      case tmsmap::floor_day: v.addne(1, 0, 0, 0, 0); break;
      case tmsmap::floor_week: v.addne(0, 1, 0, 0, 0); break;
      case tmsmap::floor_month: v.addne(0, 0, 1, 0, 0); break;
      case tmsmap::floor_quarter: v.addne(0, 0, 0, 1, 0); break;
      case tmsmap::floor_year: v.addne(0, 0, 0, 0, 1); break;
      default:
        // Blocks and shifts: step by their length, then let the calendar
        // put the local wall clock back on the block across a change of
        // daylight time.
        v = double(v) + p;
        v.addne(0, 0, 0, 0, 0);
        break;
    }
    return static_cast<uint32_t>(!v);
  }
  uint32_t o = local_offset(t);
  uint32_t x = t - o + u - 1;
  return x - x % u + o;
}

int32_t period_length(uint32_t t, int32_t p, int flags) {
  switch (p) {
    case kBlock4:
    case kShift8:
    case kDay:
    case kWeek:
    case kWeek + 1:
      return short_period_length(t, p, flags);
    case kMonth:
    case kMonth + 1:
    case kQuarter:
    case kQuarter + 1:
    case kYear:
    case kYear + 1:
      break;
    default:
      return p >= 0 ? p : -1;
  }
  const vt_tm* now = localtime(t);
  if (!now) return -1;
  const vt_tm r = *now;
  const ZoneState& z = zone_state();
  const bool daylight = (flags & kCountDaylight) && z.daylight;
  const bool leap = civil::is_gregorian_leap(r.tm_year + 1900);
  if (p == kYear || p == kYear + 1) return civil::days_in_year(leap) * kDay;
  if (p == kMonth || p == kMonth + 1) {
    int32_t len = civil::days_in_month(leap, r.tm_mon) * kDay;
    if (daylight && r.tm_mon == kMarch) len += z.dstbias;
    if (daylight && r.tm_mon == kOctober) len -= z.dstbias;
    return len;
  }
  int32_t first = r.tm_mon / 3 * 3;
  int32_t days = civil::days_before_month(leap, first + 3) - civil::days_before_month(leap, first);
  int32_t len = days * kDay;
  if (daylight && first == 0) len += z.dstbias;
  if (daylight && first == 9) len -= z.dstbias;
  return len;
}

}  // namespace vt::time
