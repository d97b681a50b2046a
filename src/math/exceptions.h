// The few arguments where a kernel's rounding test cannot decide, with
// their correctly rounded results. They were found by running each kernel
// over all 2^32 float arguments and rounding the exact value with MPFR
// (scripts/math/hard_cases.cpp); the exhaustive check proves the lists
// complete. A list is sorted by argument bits.
#pragma once

#include <cstdint>
#include <cstring>

namespace vt::math {

struct HardCase {
  std::uint32_t arg;     // float argument, as bits
  std::uint32_t result;  // its correctly rounded result, as bits
};

// The listed result for x, or `approx` rounded when x is not listed.
template <std::size_t N>
float listed_or(const HardCase (&list)[N], float x, double approx) {
  std::uint32_t bits;
  std::memcpy(&bits, &x, sizeof bits);
  std::size_t lo = 0, hi = N;
  while (lo < hi) {
    std::size_t mid = (lo + hi) / 2;
    if (list[mid].arg < bits) lo = mid + 1;
    else hi = mid;
  }
  if (lo < N && list[lo].arg == bits) {
    float r;
    std::memcpy(&r, &list[lo].result, sizeof r);
    return r;
  }
  return static_cast<float>(approx);
}

}  // namespace vt::math
