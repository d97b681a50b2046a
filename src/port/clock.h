// Platform seam: the current time.
#pragma once

#include <cstdint>

namespace vt::port {

// Calendar fields as the system reports a point in time (the SYSTEMTIME
// layout: month 1-12, day of week 0 = Sunday).
struct WallTime {
  uint16_t year, month, day_of_week, day, hour, minute, second, milliseconds;
};

// 100 ns ticks from 1601-01-01 00:00 UTC to 1970-01-01 00:00 UTC.
constexpr uint64_t kTicksTo1970 = 116444736000000000ull;
constexpr uint64_t kTicksPerSecond = 10000000ull;
constexpr uint64_t kTicksPerMillisecond = 10000ull;

// The current time as 100 ns ticks since 1601-01-01 UTC (the fixed time
// while a test has set one).
uint64_t now_ticks();

// The library's own breakdown of an instant (seconds since 1970 UTC) into
// its local wall clock: fills `local` and returns the daylight flag (1 in
// daylight time, else 0), or -1 when the instant lies outside its range.
using LibraryLocalClock = int (*)(int64_t utc_seconds, WallTime& local);

// The current UTC and local wall-clock time; false when the system cannot
// tell. `daylight` is 1 or 0 when the local clock says whether daylight time
// holds, -1 when it does not (the caller then asks the system's zone).
// Windows reads the system's own local clock (GetLocalTime), daylight -1.
// Natively no local clock of the system follows the library's zone when
// "TZ" holds a rule, which the C library reads in its own way: there the
// system's epoch clock is broken down by `library_local`, so that time()
// turns it back into the system's epoch seconds under every form of "TZ".
// Ignores the test time (callers ask fixed_time first).
bool system_wall_clock(WallTime& utc, WallTime& local, int& daylight, LibraryLocalClock library_local);

// The system's clock as ticks since 1601 (what now_ticks falls back to).
uint64_t system_ticks();

// Test hook: fix the current time of the whole library at `ticks` (the
// export tests print a fixed time through it), or release it.
void fix_time_for_tests(uint64_t ticks);
void release_time_for_tests();

// True, with the fixed tick count, while a test has fixed the time.
bool fixed_time(uint64_t& ticks);

}  // namespace vt::port
