// Load and unload of the library, and the module handle.
#pragma once

namespace vt::frame {

// What the entry point does on process attach: record the module handle,
// bind the OLE Automation time services, read the locale state, load the
// visual-style services, in that order.
void process_attach(void* module);

// Process detach: release the OLE Automation services, then the visual-style
// services, then clear the module handle.
void process_detach();

// The library's module handle (null before attach, after detach, and in the
// native build).
void* module_handle();

// Test programs link the library statically; these stand in for the entry
// point (the program's own module carries the resources there).
void attach_for_tests();
void detach_for_tests();

}  // namespace vt::frame
