// The C boundary: no C++ exception may leave an exported function, since
// it would end the host process. An export whose work can allocate (strings,
// vectors, owned records) runs that work through or_failure: when memory
// runs out, or anything else throws, the caller gets the export's failure
// result instead.
#pragma once

#include <utility>

namespace vt::frame {

template <typename R, typename Work>
R or_failure(R failure, Work&& work) noexcept {
  try {
    return std::forward<Work>(work)();
  } catch (...) {
    return failure;
  }
}

}  // namespace vt::frame
