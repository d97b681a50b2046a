// Text in number arrays: the given examples, then random texts of every
// length 0..120 under every limit -7..100, checked against the layout's
// closed form (each double is the sum of its bytes times powers of 256) and
// unpacked again, with guard cells after every array and buffer.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "support/guarded_buffer.h"
#include "veltra/dbtext.h"

namespace {

using vt::test::GuardedBuffer;

// The doubles a limit asks the caller to provide, then four guard cells.
std::vector<double> cells_for(int limit) {
  return std::vector<double>(std::max(0, std::min(limit, 95) / 6 + 1) + 4, -0.5);
}
bool guard_intact(const std::vector<double>& v) {
  return std::all_of(v.end() - 4, v.end(), [](double d) { return d == -0.5; });
}

TEST(DbText, GivenExamplesAndBadNumbers) {
  auto a = cells_for(95);
  EXPECT_EQ(SetDBText(a.data(), 95, "AB"), 1);
  EXPECT_EQ(a[0], 16961.0);
  EXPECT_EQ(SetDBText(a.data(), 200, std::string(100, 'x').c_str()), 16);
  EXPECT_EQ(SetDBText(a.data(), 0, "AB"), 1);
  EXPECT_EQ(a[0], 0.0);
  EXPECT_EQ(SetDBText(a.data(), 95, nullptr), 1);
  EXPECT_EQ(SetDBText(nullptr, 95, "AB"), 0);
  EXPECT_TRUE(guard_intact(a));

  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct {
    const char* stored;
    double next;  // stored after the text's first cell, its zero byte overwritten
    int size, limit;
    const char* text;
    int result;
  } gets[] = {
      {"AB", 0, 100, 95, "AB", 3},      {"ABCDEFG", 0, 100, 4, "ABCD", 4},
      {"ABCDEFG", 0, 3, 95, "AB", 2},   {"", 0, 10, 95, "", 1},
      {"AB", 0, 10, 0, "", 0},          {"ABCDEF", nan, 20, 95, "#ERROR", 6},
      {"ABCDEF", 1e19, 20, 95, "#ERROR", 6}, {"ABCDEF", -1.0 / 0.0, 4, 95, "ABC", 3},
      {"ABCDEF", nan, 20, 6, "ABCDEF", 6},  // the limit ends before the bad cell
  };
  for (const auto& g : gets) {
    auto n = cells_for(95);
    SetDBText(n.data(), 95, g.stored);
    if (g.next != 0) n[1] = g.next;
    GuardedBuffer buf(g.size);
    EXPECT_EQ(GetDBText(buf.data(), g.size, n.data(), g.limit), g.result) << g.stored;
    EXPECT_STREQ(buf.data(), g.text) << g.stored << " " << g.size << " " << g.limit;
    EXPECT_TRUE(buf.guard_intact());
  }
  GuardedBuffer small(4);  // "#ERROR" cut to a small buffer
  EXPECT_EQ(GetDBText(small.data(), 4, &nan, 95), 3);
  EXPECT_STREQ(small.data(), "#ER");
  EXPECT_TRUE(small.guard_intact());
  double d = 16961;
  char out[4] = "xyz";
  EXPECT_EQ(GetDBText(nullptr, 10, &d, 95) + GetDBText(out, 0, &d, 95) + GetDBText(out, 4, nullptr, 95), 0);
  EXPECT_STREQ(out, "xyz");
}

TEST(DbText, RandomRoundTripsOverLengthsAndLimits) {
  std::mt19937 rng(54);
  for (int len = 0; len <= 120; ++len) {
    std::string text(len, ' ');
    for (auto& ch : text) ch = char(1 + rng() % 255);
    for (int limit = -7; limit <= 100; ++limit) {
      int lim = std::min(limit, 95), cut = std::max(0, std::min(len, lim));
      int cells = limit < 0 ? 0 : (cut + 1 + 5) / 6;
      auto n = cells_for(limit);
      ASSERT_EQ(SetDBText(n.data(), limit, text.c_str()), cells) << len << " " << limit;
      ASSERT_TRUE(guard_intact(n)) << len << " " << limit;
      std::string padded = text.substr(0, cut) + std::string(6 * cells - cut, '\0');
      for (int c = 0; c < cells; ++c) {
        double want = 0;
        for (int k = 5; k >= 0; --k) want = want * 256 + uint8_t(padded[6 * c + k]);
        ASSERT_EQ(n[c], want) << len << " " << limit << " cell " << c;
      }
      GuardedBuffer buf(120);
      int got = GetDBText(buf.data(), 120, n.data(), limit);
      ASSERT_EQ(std::string(buf.data()), text.substr(0, cut)) << len << " " << limit;
      ASSERT_EQ(got, lim <= 0 ? 0 : cut < lim ? cut + 1 : lim) << len << " " << limit;
      ASSERT_TRUE(buf.guard_intact());
    }
  }
}

}  // namespace
