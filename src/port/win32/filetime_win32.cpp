#include <windows.h>

#include "port/filetime.h"

namespace vt::port {

bool last_write_ticks(const char* path, int64_t& ticks) {
  WIN32_FIND_DATAA found;
  HANDLE h = FindFirstFileA(path, &found);
  if (h == INVALID_HANDLE_VALUE) return false;
  ticks = static_cast<int64_t>((static_cast<uint64_t>(found.ftLastWriteTime.dwHighDateTime) << 32) |
                               found.ftLastWriteTime.dwLowDateTime);
  FindClose(h);
  return true;
}

}  // namespace vt::port
