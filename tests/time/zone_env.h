// Test helper: set the zone of the library (and, natively, of the C library
// as oracle) for the life of a scope.
#pragma once

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include "port/zone.h"
#include "veltra/timezone.h"

#if defined(_WIN32)
#include <windows.h>
#endif

namespace vt::test {

inline void set_tz(const char* value) {
#if defined(_WIN32)
  // The runtime's copy first: _putenv also writes the process environment,
  // where "TZ=" would remove the variable instead of emptying it.
  std::string s = std::string("TZ=") + (value ? value : "");
  _putenv(s.c_str());
  SetEnvironmentVariableA("TZ", value);
#else
  if (value)
    setenv("TZ", value, 1);
  else
    unsetenv("TZ");
#endif
}

// Applies `library_tz` to the library; natively then `libc_tz` (a POSIX rule
// string with the same meaning) to the C library.
class ZoneScope {
 public:
  explicit ZoneScope(const char* library_tz, const char* libc_tz = nullptr) {
    // A value unlike any test's first, so that the library applies the next
    // one even when it equals the last value applied before a system read.
    // The first use of the zone reads it once more: let that happen first.
    vt_time_t zero = 0;
    vt_localtime(&zero);
    set_tz("QQQ0");
    tzset_();
    // A "TZ" rule keeps the daylight bias from before, which a system zone
    // without daylight time leaves at 0: start from the usual hour.
    *getdstbias() = -3600;
    set_tz(library_tz);
    tzset_();
#if !defined(_WIN32)
    if (libc_tz) {
      set_tz(libc_tz);
      tzset();
    }
#endif
    (void)libc_tz;
  }
  ~ZoneScope() { set_tz(nullptr); }
};

// A system zone record (no "TZ"): standard offset `bias` minutes west,
// daylight time one hour ahead between the two rule dates (month, n-th
// Sunday with 5 the last, hour); natively `libc_tz` says the same to the
// C library.
class SystemZoneScope {
 public:
  struct Rule {
    int month, sunday, hour;
  };
  SystemZoneScope(const char* name, int bias, Rule daylight_start, Rule standard_start, const char* libc_tz) {
    port::ZoneInfo z{};
    z.bias = bias;
    z.daylight_date = wall(daylight_start);
    z.standard_date = wall(standard_start);
    z.daylight_bias = -60;
    std::strcpy(z.standard_name, name);
    port::fix_zone_for_tests(&z, port::ZoneNow::Standard);
    zone_ = new ZoneScope(nullptr, libc_tz);
  }
  ~SystemZoneScope() {
    delete zone_;
    port::fix_zone_for_tests(nullptr, port::ZoneNow::Failed);
  }

 private:
  static port::WallTime wall(Rule r) {
    return port::WallTime{0, uint16_t(r.month), 0, uint16_t(r.sunday), uint16_t(r.hour), 0, 0, 0};
  }
  ZoneScope* zone_;
};

// Epoch time of a local wall clock (mktime, the zone decides daylight time).
inline vt_time_t local(int y, int mon, int d, int h = 0, int mi = 0, int s = 0) {
  vt_tm r{s, mi, h, d, mon - 1, y - 1900, 0, 0, -1};
  return vt_mktime(&r);
}

#if !defined(_WIN32)
// The C library's local time of t, the oracle of the native builds.
inline ::tm libc_local(int64_t t) {
  time_t v = static_cast<time_t>(t);
  ::tm r;
  localtime_r(&v, &r);
  return r;
}
#endif

}  // namespace vt::test
