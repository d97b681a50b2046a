#include <windows.h>

#include "frame/attach.h"
#include "port/strings.h"

namespace vt::port {

int load_module_string(void* module, unsigned id, char* buf, int size) {
  if (!buf || size < 1) return 0;
  buf[0] = '\0';
  HINSTANCE h = module ? static_cast<HINSTANCE>(module)
                       : static_cast<HINSTANCE>(vt::frame::module_handle());
  return LoadStringA(h, id, buf, size);
}

int load_string(unsigned id, char* buf, int size) {
  return load_module_string(nullptr, id, buf, size);
}

}  // namespace vt::port
