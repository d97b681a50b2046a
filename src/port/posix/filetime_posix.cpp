#include <sys/stat.h>

#include <cstdint>

#include "port/clock.h"
#include "port/filetime.h"

namespace vt::port {

bool last_write_ticks(const char* path, int64_t& ticks) {
  struct stat st;
  if (stat(path, &st) != 0) return false;
  // A file system may hold any 64-bit time: one whose tick count would not
  // fit is taken as the latest count, far beyond the library's range.
  const int64_t per_second = static_cast<int64_t>(kTicksPerSecond);
  const int64_t to_1970 = static_cast<int64_t>(kTicksTo1970);
  const int64_t sec = static_cast<int64_t>(st.st_mtim.tv_sec);
  if (sec >= (INT64_MAX - to_1970) / per_second - 1) ticks = INT64_MAX;
  else if (sec < -to_1970 / per_second) ticks = 0;
  else ticks = to_1970 + sec * per_second + st.st_mtim.tv_nsec / 100;
  return true;
}

}  // namespace vt::port
