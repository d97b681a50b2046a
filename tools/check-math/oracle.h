// The correctly rounded float result of a function, decided cheaply where
// possible. The C library's double function is off by a few units of the
// double's last place at most; rounded to float, it gives the right answer
// unless the exact value lies within that error of a rounding boundary (the
// midpoint between two floats, or the edge of overflow). Only then is MPFR
// asked, with the float's precision and exponent range, subnormals included.
#pragma once

#include <mpfr.h>

#include <cstdint>
#include <string>

#include "functions.h"

namespace checkmath {

// Relative error granted to the C library's double functions: 2^-45, some
// 256 units in the double's last place, far above what glibc documents for
// any of these functions, and still small enough that MPFR decides only
// about one argument in a million.
constexpr double kLibcRelativeError = 0x1p-45;

// The float nearest d (ties to even) if no rounding boundary lies within
// kLibcRelativeError of d; false when d is too close to call.
bool round_clear(double d, float* out);

// Holds MPFR variables for one thread; the float exponent range is set for
// the thread that constructs it (MPFR keeps it per thread).
class Oracle {
 public:
  Oracle();
  ~Oracle();
  Oracle(const Oracle&) = delete;
  Oracle& operator=(const Oracle&) = delete;

  // The correctly rounded result; *hard tells whether MPFR decided it.
  float unary(const Unary& f, float x, bool* hard);
  float binary(const Binary& f, float x, float y, bool* hard);

  // The exact value to 25 significant digits, for reports.
  std::string exact_text(const Unary& f, float x);
  std::string exact_text(const Binary& f, float x, float y);

 private:
  float round_result(int ternary);
  template <class Compute>
  std::string wide_text(Compute compute);
  mpfr_t in_x_, in_y_, out_, wide_;
};

// Bits of a float and back.
std::uint32_t bits_of(float f);
float float_of(std::uint32_t bits);

// Whether got is the expected result: any NaN stands for any NaN; every
// other value, infinities and signed zeros included, must match bit for bit.
bool same_result(float got, float want);

// Whether an argument's scalar result `got` or row result `row` misses
// `want`; *shown is the wrong one to report (the scalar result when both
// are wrong).
bool missed(float got, float row, float want, float* shown);

// Arguments per call of a row form.
constexpr std::uint32_t kRowBlock = 1024;

}  // namespace checkmath
