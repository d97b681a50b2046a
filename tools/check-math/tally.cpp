#include "tally.h"

#include <algorithm>

namespace checkmath {

void Tally::add(std::uint64_t checked, std::uint64_t hard, const std::vector<Miss>& misses,
                std::uint64_t misrounded) {
  std::lock_guard<std::mutex> hold(lock_);
  checked_ += checked;
  hard_ += hard;
  misrounded_ += misrounded;
  misses_.insert(misses_.end(), misses.begin(), misses.end());
  // Keep only the first few overall: a slice holds at most `keep` of its own.
  std::sort(misses_.begin(), misses_.end(),
            [](const Miss& a, const Miss& b) { return a.order < b.order; });
  if (misses_.size() > keep_) misses_.resize(keep_);
}

std::vector<Miss> Tally::first() const {
  std::lock_guard<std::mutex> hold(lock_);
  return misses_;
}

}  // namespace checkmath
