#include "port/memory.h"

namespace vt::port {

bool memory_readable(const void* p, size_t) { return p != nullptr; }
bool memory_writable(void* p, size_t) { return p != nullptr; }

}  // namespace vt::port
