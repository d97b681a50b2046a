// Native builds have no OLE Automation and no visual styles.
#include "platform/services.h"

namespace vt::platform {

bool bind_ole_automation() { return false; }
void release_ole_automation() {}
bool load_theme_services() { return false; }
void unload_theme_services() {}

}  // namespace vt::platform
