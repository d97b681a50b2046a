// Epoch time to broken-down time and back: the library's gmtime, localtime,
// mktime and mktimegm. Epoch times are unsigned 32-bit counts; kInvalidTime
// (all bits set) is the failure result.
#pragma once

#include <cstdint>

#include "veltra/timezone.h"

namespace vt::time {

constexpr uint32_t kInvalidTime = 0xFFFFFFFFu;
constexpr uint32_t kMaxTime = VT_TIME_MAX;  // 2099-12-31 23:59:59 UTC

// UTC fields of t into *out; false (out untouched) beyond kMaxTime.
bool split_utc(uint32_t t, vt_tm& out);

// The breakdowns into the thread's record; null beyond kMaxTime.
vt_tm* gmtime(uint32_t t);
vt_tm* localtime(uint32_t t);

// Local fields of t into `out` without touching the thread's record;
// false beyond kMaxTime.
bool local_fields(uint32_t t, vt_tm& out);

// Local (mktime) or UTC (mktimegm) fields to epoch time; the record is
// normalised in place. kInvalidTime on failure.
uint32_t mktime_local(vt_tm* rec);
uint32_t mktime_utc(vt_tm* rec);

// mktime's value; the record is normalised only when `normalise` is set
// (a reader that needs the value alone skips the final breakdown).
uint32_t local_seconds(vt_tm* rec, bool normalise);

// Local wall-clock fields (full year, month 1-12) to epoch time; dstflag 1
// daylight time, 0 standard, -1 let the zone decide. kInvalidTime for years
// outside 1970-2099 or a month outside 1-12.
uint32_t local_to_time(int32_t year, int32_t month, int32_t day, int32_t hour, int32_t minute,
                       int32_t second, int32_t dstflag);

}  // namespace vt::time
