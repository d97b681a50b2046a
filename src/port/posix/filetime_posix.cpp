#include <sys/stat.h>

#include "port/clock.h"
#include "port/filetime.h"

namespace vt::port {

bool last_write_ticks(const char* path, int64_t& ticks) {
  struct stat st;
  if (stat(path, &st) != 0) return false;
  ticks = static_cast<int64_t>(kTicksTo1970) + static_cast<int64_t>(st.st_mtim.tv_sec) * 10000000 +
          st.st_mtim.tv_nsec / 100;
  return true;
}

}  // namespace vt::port
