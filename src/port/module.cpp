// Written only at attach and detach (under the loader lock on Windows),
// read-only in between.
#include "port/module.h"

namespace vt::port {

namespace {
void* g_module = nullptr;
}

void set_library_module(void* module) { g_module = module; }
void* library_module() { return g_module; }

}  // namespace vt::port
