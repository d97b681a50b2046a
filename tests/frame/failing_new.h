// Allocation failure on demand: the test program's operator new and new[]
// count allocations down and throw std::bad_alloc at the n-th one.
#pragma once

#include <functional>

namespace vt_test {

// Runs call with allocation n failing (n counts from 1); true when that
// allocation was reached, false when the call made fewer than n.
bool run_failing_at(int n, const std::function<void()>& call);

}  // namespace vt_test
