// Text in number arrays: the given examples, then random texts of every
// length 0..120 under every limit -7..100, checked against the layout's
// closed form (each double is the sum of its bytes times powers of 256) and
// unpacked again, with guard cells after every array and buffer.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "support/guarded_buffer.h"
#include "veltra/dbtext.h"

namespace {

using vt::test::GuardedBuffer;

constexpr int kGuardDoubles = 4;
const double kGuardValue = -12345.5;

// The doubles a limit asks the caller to provide, then guard cells.
struct NumberArray {
  explicit NumberArray(int limit) : cells(limit / 6 + 1 + kGuardDoubles, kGuardValue) {}
  bool guard_intact(int limit) const {
    for (size_t i = static_cast<size_t>(limit < 0 ? 0 : limit / 6 + 1); i < cells.size(); ++i)
      if (cells[i] != kGuardValue) return false;
    return true;
  }
  std::vector<double> cells;
};

TEST(DbText, GivenExamples) {
  NumberArray a(95);
  EXPECT_EQ(SetDBText(a.cells.data(), 95, "AB"), 1);
  EXPECT_EQ(a.cells[0], 16961.0);
  EXPECT_EQ(SetDBText(a.cells.data(), 95, "ABCDEF"), 2);
  EXPECT_EQ(a.cells[1], 0.0);
  std::string hundred(100, 'x');
  EXPECT_EQ(SetDBText(a.cells.data(), 200, hundred.c_str()), 16);
  EXPECT_TRUE(a.guard_intact(95));
  NumberArray zero(0);
  EXPECT_EQ(SetDBText(zero.cells.data(), 0, "AB"), 1);
  EXPECT_EQ(zero.cells[0], 0.0);
  NumberArray none(0);
  EXPECT_EQ(SetDBText(none.cells.data(), -6, "AB"), 0);
  EXPECT_TRUE(none.guard_intact(-6));
  EXPECT_EQ(SetDBText(nullptr, 95, "AB"), 0);
  EXPECT_EQ(SetDBText(a.cells.data(), 95, nullptr), 1);
  EXPECT_EQ(a.cells[0], 0.0);

  struct Get {
    const char* stored;
    int size, limit;
    const char* text;
    int result;
  } gets[] = {
      {"AB", 100, 95, "AB", 3},     {"ABCDEFG", 100, 4, "ABCD", 4},
      {"ABCDEFG", 3, 95, "AB", 2},  {"ABCDEFG", 100, 95, "ABCDEFG", 8},
      {"ABCDEF", 7, 95, "ABCDEF", 6}, {"", 10, 95, "", 1},
      {"AB", 10, 0, "", 0},         {"AB", 10, -3, "", 0},
      {"AB", 1, 95, "", 0},
  };
  for (const auto& g : gets) {
    NumberArray n(95);
    SetDBText(n.cells.data(), 95, g.stored);
    GuardedBuffer buf(g.size);
    EXPECT_EQ(GetDBText(buf.data(), g.size, n.cells.data(), g.limit), g.result) << g.stored;
    EXPECT_STREQ(buf.data(), g.text) << g.stored << " " << g.size << " " << g.limit;
    EXPECT_TRUE(buf.guard_intact());
  }
  double d = 16961;
  char out[4] = "xyz";
  EXPECT_EQ(GetDBText(nullptr, 10, &d, 95), 0);
  EXPECT_EQ(GetDBText(out, 0, &d, 95), 0);
  EXPECT_EQ(GetDBText(out, 4, nullptr, 95), 0);
  EXPECT_STREQ(out, "xyz");
}

TEST(DbText, NumbersWithoutAnIntegerValueGiveError) {
  const double bad[] = {std::numeric_limits<double>::quiet_NaN(),
                        std::numeric_limits<double>::infinity(), -1e300, 1e19};
  for (double b : bad) {
    double cells[2] = {0, b};
    SetDBText(cells, 5, "ABCDEF");  // "ABCDE" and its zero byte
    cells[0] += 1099511627776.0 * 'F';  // the zero byte made an F: the text runs on
    GuardedBuffer buf(20);
    EXPECT_EQ(GetDBText(buf.data(), 20, cells, 95), 6) << b;
    EXPECT_STREQ(buf.data(), "#ERROR");
    EXPECT_TRUE(buf.guard_intact());
    GuardedBuffer small(4);
    EXPECT_EQ(GetDBText(small.data(), 4, cells + 1, 95), 3);
    EXPECT_STREQ(small.data(), "#ER");
    EXPECT_TRUE(small.guard_intact());
  }
}

TEST(DbText, RandomRoundTripsOverLengthsAndLimits) {
  std::mt19937 rng(54);
  for (int len = 0; len <= 120; ++len) {
    std::string text(len, ' ');
    for (auto& ch : text) ch = static_cast<char>(1 + rng() % 255);
    for (int limit = -7; limit <= 100; ++limit) {
      int cut = limit < 0 ? 0 : std::min({len, limit, 95});
      int cells = limit < 0 ? 0 : (cut + 1 + 5) / 6;
      NumberArray n(std::min(limit, 95));
      ASSERT_EQ(SetDBText(n.cells.data(), limit, text.c_str()), cells) << len << " " << limit;
      ASSERT_TRUE(n.guard_intact(std::min(limit, 95))) << len << " " << limit;
      // Each cell holds six bytes of the text, zero-padded, first byte lowest.
      std::string padded = text.substr(0, cut) + std::string(6 * cells - cut, '\0');
      for (int c = 0; c < cells; ++c) {
        double want = 0;
        for (int k = 5; k >= 0; --k)
          want = want * 256 + static_cast<unsigned char>(padded[6 * c + k]);
        ASSERT_EQ(n.cells[c], want) << len << " " << limit << " cell " << c;
      }
      GuardedBuffer buf(120);
      int got = GetDBText(buf.data(), 120, n.cells.data(), limit);
      ASSERT_EQ(std::string(buf.data()), text.substr(0, cut)) << len << " " << limit;
      int lim = std::min(limit, 95);
      ASSERT_EQ(got, lim <= 0 ? 0 : cut < lim ? cut + 1 : lim) << len << " " << limit;
      ASSERT_TRUE(buf.guard_intact());
    }
  }
}

}  // namespace
