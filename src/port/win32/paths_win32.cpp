#include <windows.h>

#include "port/paths.h"

namespace vt::port {

int executable_path(char* buf, int size) {
  if (!buf || size < 1) return 0;
  DWORD n = GetModuleFileNameA(nullptr, buf, static_cast<DWORD>(size));
  if (n == 0) {
    buf[0] = '\0';
    return 0;
  }
  // A cut name fills the buffer; older systems leave it unterminated then.
  if (n >= static_cast<DWORD>(size)) n = static_cast<DWORD>(size - 1);
  buf[n] = '\0';
  return static_cast<int>(n);
}

}  // namespace vt::port
