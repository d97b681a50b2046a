// Platform seam: pages for machine code generated at run time. A page is
// never writable and executable at once: it is handed out writable, turned
// read+execute once the code is in it, and made writable again only to put
// other code there.
#pragma once

#include <cstddef>

namespace vt::port {

// Size of the unit in which pages are handed out.
std::size_t exec_granularity();
// bytes (a multiple of exec_granularity()) of fresh read+write pages, or
// null when the system gives none (a host that forbids dynamic code).
void* exec_reserve(std::size_t bytes);
// Read+execute; false when the system refuses.
bool exec_seal(void* p, std::size_t bytes);
// Read+write again (the code there must not run meanwhile).
bool exec_unseal(void* p, std::size_t bytes);
void exec_release(void* p, std::size_t bytes);

}  // namespace vt::port
