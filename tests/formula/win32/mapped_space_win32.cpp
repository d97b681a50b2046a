#include <windows.h>

#include "../mapped_space.h"

namespace harness {

std::size_t mapped_view_bytes() {
  std::size_t total = 0;
  MEMORY_BASIC_INFORMATION info;
  for (const char* at = nullptr; VirtualQuery(at, &info, sizeof info) == sizeof info;) {
    if (info.State != MEM_FREE && info.Type == MEM_MAPPED) total += info.RegionSize;
    const char* next = static_cast<const char*>(info.BaseAddress) + info.RegionSize;
    if (next <= at) break;  // the top of the space
    at = next;
  }
  return total;
}

}  // namespace harness
