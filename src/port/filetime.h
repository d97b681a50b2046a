// Platform seam: the last-write time of a file.
#pragma once

#include <cstdint>

namespace vt::port {

// Last-write time of the first file the system's search finds for `path`,
// as 100 ns ticks since 1601-01-01 UTC; false when nothing matches.
bool last_write_ticks(const char* path, int64_t& ticks);

}  // namespace vt::port
