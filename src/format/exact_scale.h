// Correct decimal rounding without the C runtime: the integer nearest to
// value x 10^power, computed exactly from the binary value (ties to even),
// in 128-bit integer arithmetic built from 64-bit halves so that the 32-bit
// build computes the same.
#pragma once

#include <cstdint>

namespace vt::format {

// Powers of ten up to this one fit in 64 bits.
constexpr int kMaxPow10 = 19;
constexpr uint64_t kPow10[kMaxPow10 + 1] = {
    1ull,
    10ull,
    100ull,
    1000ull,
    10000ull,
    100000ull,
    1000000ull,
    10000000ull,
    100000000ull,
    1000000000ull,
    10000000000ull,
    100000000000ull,
    1000000000000ull,
    10000000000000ull,
    100000000000000ull,
    1000000000000000ull,
    10000000000000000ull,
    100000000000000000ull,
    1000000000000000000ull,
    10000000000000000000ull,
};
// 10^n for 0 <= n <= kMaxPow10.
inline uint64_t pow10_u64(int n) { return kPow10[n]; }

// The magnitude of a finite double as mantissa x 2^exponent, mantissa below
// 2^53 (0 for zero).
struct BinaryValue {
  uint64_t mantissa;
  int exponent;
};
BinaryValue split_double(double magnitude);

// Writes round(b x 10^power) (ties to even) into *out and returns true when
// power lies in [-kMaxPow10, kMaxPow10] and the result fits 64 bits; else
// false, and the caller takes a slower route.
bool scale_round(BinaryValue b, int power, uint64_t* out);

}  // namespace vt::format
