// The power function cannot be run over all 2^64 argument pairs. It is
// checked over classes of pairs that hold its hard cases: bases near 1,
// integer exponents, results near overflow and underflow, negative bases with
// integer exponents, the special values against each other, and random
// pairs. Each class is a fixed, seeded sequence, the same in every run.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "functions.h"
#include "tally.h"

namespace checkmath {

struct PowClass {
  std::string name;
  std::uint64_t pairs;
  Tally tally;
};

// Runs every class; `random_pairs` sets the size of the random class, the
// others scale with it (a fifth each).
std::vector<std::unique_ptr<PowClass>> check_pow_classes(const Binary& f, std::uint64_t random_pairs, int threads,
                                         std::size_t keep);

}  // namespace checkmath
