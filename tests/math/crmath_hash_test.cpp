// The same bits in every build: the math functions over the sample of
// sample.h, hashed, against the numbers the math checker computed from MPFR
// (check-math --sample-hash). Correctly rounded results are unique, so a
// build that differs in one bit of one result has a misrounded function (or
// a row form that differs from its scalar function, checked first).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "math/crmath.h"
#include "sample.h"

namespace {

using namespace vt::test::math_sample;

std::uint32_t bits(float f) {
  std::uint32_t b;
  std::memcpy(&b, &f, 4);
  return b;
}
bool same(float a, float b) { return std::isnan(a) ? std::isnan(b) : bits(a) == bits(b); }

struct Expected {
  const char* name;
  std::uint64_t hash;
};
// From check-math --sample-hash: each function's hash, then the one number
// over all thirteen (the hash of these hashes in this order).
const Expected kExpected[] = {
#include "sample_hashes.inc"
};

std::uint64_t expected(const std::string& name) {
  for (const Expected& e : kExpected)
    if (name == e.name) return e.hash;
  ADD_FAILURE() << "no expected hash for " << name;
  return 0;
}

std::uint64_t unary_hash(const Function& f) {
  const std::vector<float> in = arguments(f.name);
  std::vector<float> rows(in.size());
  f.rows(rows.data(), in.data(), static_cast<std::uint32_t>(in.size()));
  Hash h;
  int differ = 0;
  for (std::size_t i = 0; i < in.size(); ++i) {
    const float r = f.f(in[i]);
    h.add(r);
    if (!same(r, rows[i]) && ++differ <= 3)
      ADD_FAILURE() << f.name << " rows differ from the scalar function at " << std::hex << bits(in[i]);
  }
  return h.value();
}

std::uint64_t pow_hash() {
  const auto pairs = pow_pairs();
  std::vector<float> x(pairs.size()), y(pairs.size()), rows(pairs.size());
  for (std::size_t i = 0; i < pairs.size(); ++i) x[i] = pairs[i].first, y[i] = pairs[i].second;
  vt::math::cr_pow_rows(rows.data(), x.data(), y.data(), static_cast<std::uint32_t>(pairs.size()));
  Hash h;
  int differ = 0;
  for (std::size_t i = 0; i < pairs.size(); ++i) {
    const float r = vt::math::cr_pow(x[i], y[i]);
    h.add(r);
    if (!same(r, rows[i]) && ++differ <= 3)
      ADD_FAILURE() << "pow rows differ from the scalar function at " << x[i] << ", " << y[i];
  }
  return h.value();
}

TEST(CrmathHash, EveryBuildGivesTheCorrectlyRoundedBits) {
  Hash all;
  for (const Function& f : kFunctions) {
    const std::uint64_t h = unary_hash(f);
    EXPECT_EQ(expected(f.name), h) << f.name;
    all.add_hash(h);
  }
  const std::uint64_t p = pow_hash();
  EXPECT_EQ(expected("pow"), p) << "pow";
  all.add_hash(p);
  EXPECT_EQ(expected("all"), all.value());
}

}  // namespace
