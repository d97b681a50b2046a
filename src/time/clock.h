// The current time as the library sees it (time and _ftime).
#pragma once

#include <cstdint>

#include "veltra/timezone.h"

namespace vt::time {

// The current epoch time (the exported time); kInvalidTime when the local
// year lies outside 1970-2099.
uint32_t now();

// The current time with milliseconds (the exported _ftime).
void ftime(vt_timeb& rec);

// Ticks since 1601 to epoch time; kInvalidTime outside 0-4102444799.
uint32_t ticks_to_epoch(uint64_t ticks);

}  // namespace vt::time
