#include "pow_classes.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <limits>

#include "parallel.h"

namespace checkmath {
namespace {

// splitmix64: a small generator whose every seed gives a full-period stream.
struct Rng {
  std::uint64_t state;
  std::uint64_t next() {
    std::uint64_t z = (state += 0x9e3779b97f4a7c15ull);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
    return z ^ (z >> 31);
  }
  std::uint32_t bits() { return static_cast<std::uint32_t>(next() >> 32); }
  // Uniform integer in [lo, hi].
  std::int64_t in(std::int64_t lo, std::int64_t hi) {
    return lo + static_cast<std::int64_t>(next() % static_cast<std::uint64_t>(hi - lo + 1));
  }
  // A float with a random significand and sign and a binary exponent in
  // [lo, hi]: spread evenly over magnitudes, as the hard cases are.
  float scaled(int lo, int hi) {
    const float m = float_of(0x3f800000u | (bits() & 0x7fffffu));  // [1, 2)
    const float v = std::ldexp(m, static_cast<int>(in(lo, hi)));
    return (next() & 1) ? -v : v;
  }
};

using Pair = std::pair<float, float>;

// Bases within 2^16 units of the last place of 1 on either side, to powers
// between 2^-30 and 2^30: x^y = exp(y log x) with log x tiny, the case where
// an evaluation of log x loses the most.
Pair near_one(Rng& r) {
  const float x = float_of(static_cast<std::uint32_t>(0x3f800000 + r.in(-65536, 65536)));
  return {x, r.scaled(-30, 30)};
}

// An integer exponent up to 2^24 (mostly small) with a base whose power
// stays in or near float's range.
float integer_exponent(Rng& r) {
  const std::int64_t n = (r.next() & 3) ? r.in(1, 64) : r.in(65, 1 << 24);
  return static_cast<float>((r.next() & 1) ? -n : n);
}
Pair base_for(Rng& r, float y, bool negative) {
  const int span = static_cast<int>(160 / std::fabs(y)) + 1;
  float x = std::fabs(r.scaled(-span, span));
  if (!std::isfinite(x) || x == 0) x = 1.5f;
  return {negative ? -x : x, y};
}
Pair integer_power(Rng& r) { return base_for(r, integer_exponent(r), false); }
Pair negative_base(Rng& r) { return base_for(r, integer_exponent(r), true); }

// Results around the largest float, 2^-126 (the smallest normal) and
// 2^-149 (the smallest subnormal): the base is 2^(t/y) for such a t, moved by
// a few units in its last place.
Pair range_edge(Rng& r) {
  static const double kEdges[] = {128.0, -126.0, -149.0, -150.0};
  const float y = r.scaled(-4, 10);
  const double t = kEdges[r.in(0, 3)] + static_cast<double>(r.in(-1000, 1000)) / 1000.0;
  const float x = static_cast<float>(std::exp2(t / y));
  if (!std::isfinite(x) || x == 0) return {1.5f, y};
  return {float_of(static_cast<std::uint32_t>(bits_of(x) + r.in(-8, 8))), y};
}

// Random pairs: half over all bit patterns, half with exponents small
// enough that the result is rarely just 0, 1 or infinity.
Pair random_pair(Rng& r) {
  if (r.next() & 1) return {float_of(r.bits()), float_of(r.bits())};
  return {std::fabs(r.scaled(-126, 127)), r.scaled(-20, 8)};
}

// Zeros, ones, infinities, NaN, the extremes and a few small values, each
// pair once.
std::vector<float> special_values() {
  const float inf = std::numeric_limits<float>::infinity();
  std::vector<float> v = {0.0f, 1.0f, inf, std::numeric_limits<float>::quiet_NaN(), 0.5f,
                          1.5f, 2.0f,  3.0f, 0.25f, 10.0f, FLT_MAX, FLT_MIN,
                          std::numeric_limits<float>::denorm_min(), 1.0f - FLT_EPSILON / 2,
                          1.0f + FLT_EPSILON, 127.0f, 128.0f, 149.0f, 150.0f, 0x1p24f, 0x1p25f,
                          0x1.000002p24f};
  const std::size_t n = v.size();
  for (std::size_t i = 0; i < n; ++i) v.push_back(-v[i]);
  return v;
}

constexpr int kSlicesPerClass = 256;

void run_class(const Binary& f, PowClass* c, int threads, Pair (*make)(Rng&), std::uint64_t seed) {
  run_slices(kSlicesPerClass, threads, [&](int s, Oracle& oracle) {
    Rng rng{seed * 1000003u + static_cast<std::uint64_t>(s)};
    const std::uint64_t begin = c->pairs * s / kSlicesPerClass;
    const std::uint64_t end = c->pairs * (s + 1) / kSlicesPerClass;
    std::uint64_t hard = 0, misrounded = 0;
    std::vector<Miss> misses;
    // Pairs go in blocks through the row form too (see sweep.cpp).
    float xs[kRowBlock], ys[kRowBlock], row[kRowBlock];
    for (std::uint64_t b = begin; b < end; b += kRowBlock) {
      const std::uint32_t n = static_cast<std::uint32_t>(std::min<std::uint64_t>(kRowBlock, end - b));
      for (std::uint32_t k = 0; k < n; ++k) {
        const Pair p = make(rng);
        xs[k] = p.first;
        ys[k] = p.second;
      }
      f.rows(row, xs, ys, n);
      for (std::uint32_t k = 0; k < n; ++k) {
        bool decided_by_mpfr;
        const float want = oracle.binary(f, xs[k], ys[k], &decided_by_mpfr);
        const float got = f.ours(xs[k], ys[k]);
        hard += decided_by_mpfr;
        float shown;
        if (missed(got, row[k], want, &shown)) {
          ++misrounded;
          if (misses.size() < 16) misses.push_back({b + k, xs[k], ys[k], shown, want});
        }
      }
    }
    c->tally.add(end - begin, hard, misses, misrounded);
  });
}

}  // namespace

std::vector<std::unique_ptr<PowClass>> check_pow_classes(const Binary& f, std::uint64_t random_pairs, int threads,
                                         std::size_t keep) {
  const std::uint64_t fifth = random_pairs / 5;
  struct Def {
    const char* name;
    std::uint64_t pairs;
    Pair (*make)(Rng&);
  };
  const Def defs[] = {
      {"base near 1", fifth, near_one},
      {"integer exponent", fifth, integer_power},
      {"result near overflow/underflow", fifth, range_edge},
      {"negative base, integer exponent", fifth, negative_base},
      {"random pairs", random_pairs, random_pair},
  };
  std::vector<std::unique_ptr<PowClass>> out;
  std::uint64_t seed = 1;
  for (const Def& d : defs) {
    out.emplace_back(new PowClass{d.name, d.pairs, Tally(keep)});
    run_class(f, out.back().get(), threads, d.make, seed++);
  }

  // The special values, every pair, on this thread.
  const std::vector<float> sv = special_values();
  std::unique_ptr<PowClass> special(new PowClass{"special values", sv.size() * sv.size(), Tally(keep)});
  Oracle oracle;
  std::uint64_t hard = 0, misrounded = 0, order = 0;
  std::vector<Miss> misses;
  std::vector<float> row(sv.size());
  for (float x : sv) {
    const std::vector<float> xs(sv.size(), x);
    f.rows(row.data(), xs.data(), sv.data(), static_cast<std::uint32_t>(sv.size()));
    for (std::size_t k = 0; k < sv.size(); ++k) {
      const float y = sv[k];
      bool decided_by_mpfr;
      const float want = oracle.binary(f, x, y, &decided_by_mpfr);
      const float got = f.ours(x, y);
      hard += decided_by_mpfr;
      float shown;
      if (missed(got, row[k], want, &shown)) {
        ++misrounded;
        if (misses.size() < keep) misses.push_back({order, x, y, shown, want});
      }
      ++order;
    }
  }
  special->tally.add(order, hard, misses, misrounded);
  out.insert(out.begin(), std::move(special));
  return out;
}

}  // namespace checkmath
