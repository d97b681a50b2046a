// Platform seam: whether memory that a caller hands in can be touched.
// Callers of the library's number-array functions may pass arrays they do
// not own completely; the library answers with an error result where the
// system would raise an access fault.
#pragma once

#include <cstddef>

namespace vt::port {

// Whether bytes bytes from p can be read / written without a fault. The
// native build answers true for any non-null pointer: there the tests pass
// valid memory only, and the sanitizers report any other use.
bool memory_readable(const void* p, size_t bytes);
bool memory_writable(void* p, size_t bytes);

}  // namespace vt::port
