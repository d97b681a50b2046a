#include <unistd.h>

#include "port/paths.h"

namespace vt::port {

int executable_path(char* buf, int size) {
  if (!buf || size < 1) return 0;
  buf[0] = '\0';
  ssize_t n = readlink("/proc/self/exe", buf, static_cast<size_t>(size));
  if (n <= 0 || n >= size) {  // unknown, or cut: readlink does not say which
    buf[0] = '\0';
    return 0;
  }
  buf[n] = '\0';
  return static_cast<int>(n);
}

}  // namespace vt::port
