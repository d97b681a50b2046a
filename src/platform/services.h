// The run-time bound system services that the library frame loads at
// process attach and releases at detach. On Windows these are the exported
// OleInit/OleReinit and InitTheme/ExitTheme; native builds have neither
// service and answer false.
#pragma once

namespace vt::platform {

// Binds the OLE Automation time services; true when both were found.
bool bind_ole_automation();
void release_ole_automation();

// Loads the visual-style services; true when their library was loaded.
bool load_theme_services();
void unload_theme_services();

}  // namespace vt::platform
