// A one-argument function over a range of float bit patterns.
#pragma once

#include <cstdint>
#include <vector>

#include "functions.h"
#include "tally.h"

namespace checkmath {

struct Range {
  std::uint64_t from = 0;           // first bit pattern
  std::uint64_t to = 0xffffffffu;   // last bit pattern (inclusive)
  std::uint64_t stride = 1;
};

// Checks f on from, from + stride, ... up to `to`, on `threads` threads.
// With hard_args, also collects the arguments MPFR decided (sorted).
void sweep(const Unary& f, const Range& range, int threads, Tally* tally,
           std::vector<std::uint32_t>* hard_args);

}  // namespace checkmath
