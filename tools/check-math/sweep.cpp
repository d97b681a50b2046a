#include "sweep.h"

#include <algorithm>
#include <mutex>

#include "parallel.h"

namespace checkmath {

// Enough slices to keep two to sixteen cores busy to the end, few enough
// that merging them costs nothing.
constexpr int kSlices = 4096;

void sweep(const Unary& f, const Range& range, int threads, Tally* tally,
           std::vector<std::uint32_t>* hard_args) {
  const std::uint64_t count = range.to < range.from ? 0 : (range.to - range.from) / range.stride + 1;
  const int slices = static_cast<int>(std::min<std::uint64_t>(kSlices, count));
  std::mutex hard_lock;
  run_slices(slices, threads, [&](int s, Oracle& oracle) {
    const std::uint64_t begin = count * s / slices, end = count * (s + 1) / slices;
    std::uint64_t hard = 0, misrounded = 0;
    std::vector<Miss> misses;
    std::vector<std::uint32_t> hard_here;
    // Arguments go in blocks through the row form as well: a row must give
    // the correctly rounded result too, whichever pack width this processor
    // runs.
    float xs[kRowBlock], row[kRowBlock];
    for (std::uint64_t b = begin; b < end; b += kRowBlock) {
      const std::uint32_t n = static_cast<std::uint32_t>(std::min<std::uint64_t>(kRowBlock, end - b));
      for (std::uint32_t k = 0; k < n; ++k)
        xs[k] = float_of(static_cast<std::uint32_t>(range.from + (b + k) * range.stride));
      f.rows(row, xs, n);
      for (std::uint32_t k = 0; k < n; ++k) {
        const float x = xs[k];
        bool decided_by_mpfr;
        const float want = oracle.unary(f, x, &decided_by_mpfr);
        const float got = f.ours(x);
        if (decided_by_mpfr) {
          ++hard;
          if (hard_args) hard_here.push_back(bits_of(x));
        }
        float shown;
        if (missed(got, row[k], want, &shown)) {
          ++misrounded;
          if (misses.size() < 16) misses.push_back({b + k, x, 0.0f, shown, want});
        }
      }
    }
    tally->add(end - begin, hard, misses, misrounded);
    if (hard_args && !hard_here.empty()) {
      std::lock_guard<std::mutex> hold(hard_lock);
      hard_args->insert(hard_args->end(), hard_here.begin(), hard_here.end());
    }
  });
  if (hard_args) std::sort(hard_args->begin(), hard_args->end());
}

}  // namespace checkmath
