// The address space taken by views of mapped memory, as the system reports
// it (Windows: VirtualQuery over the whole space; natively: the process's
// map of the library's memory for code). Tests take it before and after,
// so that views the process holds for other reasons cancel out.
#pragma once

#include <cstddef>

namespace harness {

std::size_t mapped_view_bytes();

}  // namespace harness
