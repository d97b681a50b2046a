#include <windows.h>

#include "platform/services.h"
#include "veltra/ole.h"
#include "veltra/theme.h"

namespace vt::platform {

bool bind_ole_automation() { return OleInit() != FALSE; }
void release_ole_automation() { OleReinit(); }
bool load_theme_services() { return InitTheme() != 0; }
void unload_theme_services() { ExitTheme(); }

}  // namespace vt::platform
