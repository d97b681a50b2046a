// Platform seam: the library's own string resources.
#pragma once

namespace vt::port {

// Copies string resource `id` of the library (code page 1252 bytes) into
// buf, at most size - 1 characters, terminated. Returns the number of
// characters copied, 0 when the id does not exist or size < 1 (then buf[0]
// is set to NUL where size >= 1).
int load_string(unsigned id, char* buf, int size);

// Same, from the string table of another module (a Windows module handle);
// a null module means the library itself. Native builds only know the
// library's own table and answer 0 for any other module.
int load_module_string(void* module, unsigned id, char* buf, int size);

}  // namespace vt::port
