// What a run found: how many results were checked, how many MPFR decided,
// how many were misrounded, and the first misrounded ones in argument order.
#pragma once

#include <cstdint>
#include <mutex>
#include <vector>

namespace checkmath {

struct Miss {
  std::uint64_t order;  // position in the run, for "first" across slices
  float x, y;           // y unused for one-argument functions
  float got, want;
};

class Tally {
 public:
  explicit Tally(std::size_t keep) : keep_(keep) {}

  // Merges one slice's counts and misses (misses in the slice's order).
  void add(std::uint64_t checked, std::uint64_t hard, const std::vector<Miss>& misses,
           std::uint64_t misrounded);

  std::uint64_t checked() const { return checked_; }
  std::uint64_t hard() const { return hard_; }
  std::uint64_t misrounded() const { return misrounded_; }
  // The first `keep` misses of the whole run, in order.
  std::vector<Miss> first() const;

 private:
  std::size_t keep_;
  mutable std::mutex lock_;
  std::uint64_t checked_ = 0, hard_ = 0, misrounded_ = 0;
  std::vector<Miss> misses_;
};

}  // namespace checkmath
