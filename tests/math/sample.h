// The arguments on which every build must give the same bits of the math
// functions: every 4099th float bit pattern, the special values, and the
// arguments nearest a rounding boundary that the math checker found
// (hard_cases.inc); for the power, fixed pairs. The hash of the results is
// one committed number (crmath_hash_test.cpp); the math checker computes it
// from MPFR (check-math --sample-hash), which correct rounding makes unique.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

namespace vt::test::math_sample {

// The sample's one-argument functions in hash order, and the power.
struct Function {
  const char* name;
  float (*f)(float);
  void (*rows)(float*, const float*, std::uint32_t);
};
extern const Function kFunctions[12];

// The arguments of one function (by name, as in kFunctions).
std::vector<float> arguments(const char* name);
// The power's pairs.
std::vector<std::pair<float, float>> pow_pairs();

// FNV-1a over result bits, any NaN counted as 7fc00000.
class Hash {
 public:
  void add(float v);
  void add_hash(std::uint64_t h);  // another hash's 8 bytes
  std::uint64_t value() const { return h_; }

 private:
  std::uint64_t h_ = 0xcbf29ce484222325ull;
};

}  // namespace vt::test::math_sample
