// Tables of the math kernels (tables.cpp, generated with MPFR by
// scripts/math/make_tables.cpp).
#pragma once

// Internal to the library: the kernels then address the tables directly,
// not through the shared object's table of global addresses.
#if defined(__ELF__)
#pragma GCC visibility push(hidden)
#endif

namespace vt::math::tables {

// exp: 2^(j/kExpSteps), so that exp(x) = 2^(k/kExpSteps) * exp(r) with
// |r| <= ln2/(2*kExpSteps).
constexpr int kExpSteps = 128;
extern const double exp2_frac[kExpSteps];

// log: one row per bucket of the mantissa's top 8 bits.
constexpr int kLogBuckets = 256;
extern const double log_bucket[kLogBuckets][3];

// pow: the buckets' -log2(c) - shift, and the low halves of exp2_frac, so
// that both carry about 106 bits.
extern const double log2_tail[kLogBuckets][2];
extern const double exp2_frac_lo[kExpSteps];

}  // namespace vt::math::tables

#if defined(__ELF__)
#pragma GCC visibility pop
#endif
