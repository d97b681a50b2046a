// The order in which load and unload set up and tear down the library's
// state. The module handle itself is kept by the seam (port/module.h).
#include "frame/attach.h"
#include "frame/locale_state.h"
#include "platform/services.h"
#include "port/locale.h"
#include "port/module.h"

namespace vt::frame {

void* module_handle() { return vt::port::library_module(); }

// The module handle comes first because everything after it may load the
// library's resources. Failures of the bound services are not failures of
// the load: the library then works without them.
void process_attach(void* module) {
  vt::port::set_library_module(module);
  vt::platform::bind_ole_automation();
  set_locale_state(read_locale_state(vt::port::locale_info));
  vt::platform::load_theme_services();
}

void process_detach() {
  vt::platform::release_ole_automation();
  vt::platform::unload_theme_services();
  vt::port::set_library_module(nullptr);
}

}  // namespace vt::frame
