// Process-wide frame state: the module handle. Written only at attach and
// detach (under the loader lock on Windows), read-only in between.
#include "frame/attach.h"

namespace vt::frame {

namespace {
void* g_module = nullptr;
}

void* module_handle() { return g_module; }

void process_attach(void* module) {
  g_module = module;
  // further steps (OLE time services, locale state, themes) join here
}

void process_detach() { g_module = nullptr; }

}  // namespace vt::frame
