// The functions the checker knows: for each, the library's float function,
// the C library's double function used as the fast oracle and MPFR's
// function used where the fast oracle's answer is too close to call.
#pragma once

#include <mpfr.h>

#include <cstdint>
#include <string>

namespace checkmath {

struct Unary {
  const char* name;                              // as on the command line
  float (*ours)(float);                          // the function under test
  void (*rows)(float*, const float*, std::uint32_t);  // its row form, also under test
  double (*libc)(double);                        // fast oracle (error < a few ulp)
  int (*exact)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t);  // correctly rounded oracle
};

struct Binary {
  const char* name;
  float (*ours)(float, float);
  void (*rows)(float*, const float*, const float*, std::uint32_t);
  double (*libc)(double, double);
  int (*exact)(mpfr_ptr, mpfr_srcptr, mpfr_srcptr, mpfr_rnd_t);
};

// The function of that name ("ln" is another name of "log"), or null.
const Unary* find_unary(const std::string& name);
const Binary* find_binary(const std::string& name);

// All names, for the usage text and for a run over everything.
std::string all_names();
extern const Unary kUnary[];
extern const int kUnaryCount;

}  // namespace checkmath
