// Native builds: "TZ" from the process environment. The system's zone record
// has no native counterpart of the Windows form, so the query reports
// failure and the library keeps its zone values (tests fix a record through
// the test hook instead).
#include <cstdlib>
#include <cstring>

#include "port/zone.h"

namespace vt::port {

ZoneNow query_system_zone(ZoneInfo&) { return ZoneNow::Failed; }

bool read_tz(char* buf, std::size_t size) {
  if (!buf || size == 0) return false;
  const char* v = std::getenv("TZ");
  if (!v) {
    buf[0] = '\0';
    return false;
  }
  std::size_t n = std::strlen(v);
  if (n >= size) n = size - 1;
  std::memcpy(buf, v, n);
  buf[n] = '\0';
  return true;
}

}  // namespace vt::port
