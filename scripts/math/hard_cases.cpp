// Lists the float arguments where a kernel's rounding test cannot decide,
// with the correctly rounded result from MPFR, as lines of a
// src/math/<name>_hard_cases.inc file.
//   g++ -O2 -Isrc scripts/math/hard_cases.cpp src/math/tables.cpp -lmpfr -lgmp -o /tmp/hard_cases
//   /tmp/hard_cases exp > src/math/exp_hard_cases.inc
// Every argument pattern is tried (about a minute per function). Arguments
// that a scalar function answers itself (NaN, infinities, zero, invalid
// ones whose result is NaN) are not listed.
#include <mpfr.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "math/exp_kernel.h"
#include "math/hyperbolic_kernel.h"
#include "math/log_kernel.h"

namespace {

using vt::math::rows::One;

float from_bits(std::uint32_t b) {
  float f;
  std::memcpy(&f, &b, sizeof f);
  return f;
}
std::uint32_t to_bits(float f) {
  std::uint32_t b;
  std::memcpy(&b, &f, sizeof b);
  return b;
}

// f(x) rounded once to binary32, subnormals included.
float correctly_rounded(int (*f)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t), float x) {
  mpfr_t a, r;
  mpfr_init2(a, 24);
  mpfr_init2(r, 24);
  mpfr_set_flt(a, x, MPFR_RNDN);
  int t = f(r, a, MPFR_RNDN);
  mpfr_subnormalize(r, t, MPFR_RNDN);
  float y = mpfr_get_flt(r, MPFR_RNDN);
  mpfr_clears(a, r, (mpfr_ptr)0);
  return y;
}

template <class K>
void list(int (*f)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t), bool positive_only = false) {
  std::uint32_t b = 0;
  do {
    float x = from_bits(b);
    bool hard = false;
    K::template eval<One>(static_cast<double>(x), hard);
    if (!hard || !(x - x == 0.0f) || x == 0.0f || (positive_only && x < 0.0f)) continue;
    float y = correctly_rounded(f, x);
    if (y == y)
      std::printf("  {0x%08x, 0x%08x},  // %a -> %a\n", b, to_bits(y), x, y);
  } while (++b != 0);
}

}  // namespace

int main(int argc, char** argv) {
  mpfr_set_emin(-148);  // binary32: subnormals down to 2^-149
  mpfr_set_emax(128);
  std::string name = argc > 1 ? argv[1] : "";
  if (name == "exp") list<vt::math::ExpKernel>(mpfr_exp);
  else if (name == "log") list<vt::math::LogKernel>(mpfr_log, true);
  else if (name == "sinh") list<vt::math::SinhKernel>(mpfr_sinh);
  else if (name == "cosh") list<vt::math::CoshKernel>(mpfr_cosh);
  else if (name == "tanh") list<vt::math::TanhKernel>(mpfr_tanh);
  else {
    std::fprintf(stderr, "usage: %s exp|log|sinh|cosh|tanh\n", argv[0]);
    return 2;
  }
  return 0;
}
