// Work split into a fixed number of slices, handed to one thread per core
// as they come free. The slices, not the threads, fix what is computed, so
// a run gives the same report on any number of cores.
#pragma once

#include <functional>

#include "oracle.h"

namespace checkmath {

// Calls work(slice, oracle) for every slice in [0, slices), each slice once,
// on `threads` threads (0: one per core), each thread with its own Oracle.
void run_slices(int slices, int threads, const std::function<void(int, Oracle&)>& work);

}  // namespace checkmath
