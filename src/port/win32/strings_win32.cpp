#include <windows.h>

#include "port/module.h"
#include "port/strings.h"

namespace vt::port {

int load_module_string(void* module, unsigned id, char* buf, int size) {
  if (!buf || size < 1) return 0;
  buf[0] = '\0';
  HINSTANCE h = module ? static_cast<HINSTANCE>(module)
                       : static_cast<HINSTANCE>(library_module());
  return LoadStringA(h, id, buf, size);
}

int load_string(unsigned id, char* buf, int size) {
  return load_module_string(nullptr, id, buf, size);
}

}  // namespace vt::port
