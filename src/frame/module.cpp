// Process-wide frame state: the module handle, and the order in which load
// and unload set up and tear down the library's state. Written only at
// attach and detach (under the loader lock on Windows), read-only in
// between.
#include "frame/attach.h"
#include "frame/locale_state.h"
#include "platform/services.h"
#include "port/locale.h"

namespace vt::frame {

namespace {
void* g_module = nullptr;
}

void* module_handle() { return g_module; }

// The module handle comes first because everything after it may load the
// library's resources. Failures of the bound services are not failures of
// the load: the library then works without them.
void process_attach(void* module) {
  g_module = module;
  vt::platform::bind_ole_automation();
  set_locale_state(read_locale_state(vt::port::locale_info));
  vt::platform::load_theme_services();
}

void process_detach() {
  vt::platform::release_ole_automation();
  vt::platform::unload_theme_services();
  g_module = nullptr;
}

}  // namespace vt::frame
