// The library's own answer to letter folding and classification in code
// page 1252, for builds without the system's (the native build). The
// Windows build compiles it too, so that a test can hold it against the
// system's answer for every byte.
#pragma once

namespace vt::port {

unsigned char cp1252_lower(unsigned char c);
bool cp1252_is_alnum(unsigned char c);

}  // namespace vt::port
