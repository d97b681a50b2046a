// Conversions between epoch time, tick counts (FILETIME), double seconds,
// calendar fields (SYSTEMTIME) and OLE dates. Pure arithmetic except the two
// OLE conversions (platform time services) and the file time.
#pragma once

#include <cstdint>

#include "port/clock.h"

namespace vt::time {

// Epoch time to ticks since 1601; 0 for the invalid time.
uint64_t epoch_to_ticks(uint32_t t);

// Ticks (read signed) to epoch time 0-4294967294; kInvalidTime otherwise.
uint32_t ticks_to_epoch_wide(uint64_t ticks);

// Ticks to double seconds with whole milliseconds; -1.0 out of range.
double ticks_to_seconds(uint64_t ticks);

// Double seconds to ticks, milliseconds truncated; 0 for negative, NaN and
// 2^32 seconds or more.
uint64_t seconds_to_ticks(double seconds);

// Epoch time to local or UTC fields (day of week 65535, milliseconds as
// given); false, `out` untouched, beyond 2099.
bool epoch_to_wall(uint32_t t, uint16_t ms, port::WallTime& out, bool local);

// Local or UTC fields to epoch time; kInvalidTime on failure.
uint32_t wall_to_epoch(const port::WallTime& w, bool local);

// Epoch time to OLE date (local), 0.0 on failure; and back, kInvalidTime.
double epoch_to_ole(uint32_t t);
uint32_t ole_to_epoch(double date);

// Last-write time of a file, kInvalidTime when missing or out of range.
uint32_t file_time(const char* path);

}  // namespace vt::time
