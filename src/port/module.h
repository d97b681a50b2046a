// The library's module handle, as the loader gave it at process attach:
// the seam loads the library's own resources (strings.h) from it. Kept here,
// at the bottom, so that the seam needs nothing of the frame above it; the
// frame sets it on attach and clears it on detach (frame/attach.h).
#pragma once

namespace vt::port {

void set_library_module(void* module);

// Null before attach, after detach, and in the native build.
void* library_module();

}  // namespace vt::port
