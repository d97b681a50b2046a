// ScanFloat: every form, bad input, and round trips through FormatFloat.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "format_oracle.h"
#include "veltra/format.h"

namespace {

double scan(const std::string& text, int format, int* error) {
  std::string copy = text;
  return ScanFloat(&copy[0], static_cast<int16_t>(format), error);
}

TEST(ScanFloat, ReadsEachForm) {
  const double inf = std::numeric_limits<double>::infinity();
  const struct {
    const char* text;
    int format;
    double value;
    int error;
  } cases[] = {
      {"12abc", 0, 12, 0},          {"abc", 0, 0, 1},
      {"  -1.5E3 ", 0, -1500, 0},   {"+.25", 0, 0.25, 0},
      {"1.2.3", 0, 1.2, 0},         {"#inf", 0, inf, 0},
      {"  #NINF ", 0x100, -inf, 0}, {"&x1F", 0, 31, 0},
      {"&x1F-", 0, 31, 0},          {"&X1f", 0, 0, 1},  // "X" is no prefix
      {"&b102", 0, 2, 1},           {"-ff", 0x100, -255, 0},
      {"ffffffff", 0x100, 4294967295.0, 0},
      {"123456789", 0x100, 0x12345678, 1},  // a ninth digit
      {"1f\xE4", 0x100, 31, 1},  // a German letter ends it with an error
      {"&t1:02:03", 0, 3723, 0},    {"2d", 0x200, 2 * 86400, 0},
      {"-1d 01:00:00", 0x200, -(86400 + 3600), 0},
      {"1:30.5", 0x200, 90.5, 0},   {"0:00,25", 0x200, 0.25, 0},
      {"x1", 0x200, 0, 1},          {"# 12", 0x100, 12, 0},
      {"&#12", 0x200, 12, 0},       {"12", static_cast<int16_t>(0x8000 + 0x100), 12, 0},
      {"", 0, 0, 1},                {" \t\n", 0, 0, 1},
      {".", 0, 0, 1},               {"0x", 0, 0, 0},
      // Beyond the range of a double: the infinity or zero it tends to.
      {"1e400", 0, inf, 0},         {"-1e-400", 0, -0.0, 0},
      {"1.80E+308", 0, inf, 0},     {"0.0001e-320x", 0, 0, 0},
      {"1.5d", 0x200, 129600.5, 0}, {"-1,5d", 0x200, -(86400 + 0.5), 0},
      {"inf", 0, 0, 1},
  };
  for (const auto& c : cases) {
    int error = -1;
    double v = scan(c.text, c.format, &error);
    EXPECT_EQ(error, c.error) << '"' << c.text << "\" " << c.format;
    EXPECT_EQ(v, c.value) << '"' << c.text << "\" " << c.format;
  }
}

TEST(ScanFloat, GivesTheFixedNanAndLowersTheText) {
  char text[] = " #NaN\t";
  double v = ScanFloat(text, 0, nullptr);
  uint64_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  EXPECT_EQ(bits, 0xFFFF000000000000ull);
  char hex[] = "&b1010 ABC";
  ScanFloat(hex, 0, nullptr);
  EXPECT_STREQ(hex, "&b1010 abc");
  EXPECT_EQ(ScanFloat(nullptr, 0, nullptr), 0.0);
}

#ifndef _WIN32
TEST(ScanFloat, DecimalTextsMatchGlibcStrtod) {
  std::mt19937_64 rng(5);
  for (int i = 0; i < 200000; ++i) {
    std::string text = (rng() & 1) ? "-" : "";
    for (int n = static_cast<int>(rng() % 25) + 1; n > 0; --n) text += static_cast<char>('0' + rng() % 10);
    if (rng() & 1) text.insert(rng() % text.size() + (text[0] == '-'), ".");
    if (rng() & 1) text += "e" + std::to_string(static_cast<int>(rng() % 700) - 350);
    int error = -1;
    double v = scan(text, 0, &error);
    // Beyond the range of a double too: strtod's infinity or zero.
    double want = std::strtod(text.c_str(), nullptr);
    ASSERT_EQ(error, 0) << text;
    ASSERT_EQ(v, want) << text;
    ASSERT_EQ(std::signbit(v), std::signbit(want)) << text;
  }
}
#endif

// FormatFloat then ScanFloat gives back the value, for each form that can.
TEST(ScanFloat, ReadsBackWhatFormatFloatWrote) {
  std::mt19937_64 rng(99);
  char buf[256];
  // The largest double rounds up to a text beyond the range: it reads back as
  // the infinity, without error.
  int max_error = -1;
  EXPECT_EQ(scan(FormatFloat(buf, 8, 2, DBL_MAX, 0), 0, &max_error), HUGE_VAL);
  EXPECT_EQ(max_error, 0);
  for (int i = 0; i < 100000; ++i) {
    // Exponent notation with 16 decimals holds every double exactly.
    double v = vt_test::sample_value(rng);
    FormatFloat(buf, 0x800 + 127, 16, v, 0);
    ASSERT_EQ(scan(buf, 0, nullptr), v) << buf;

    // 32-bit integers in binary and hexadecimal.
    double n = static_cast<double>(rng() >> 32);
    for (int radix : {0x80, 0x100}) {
      FormatFloat(buf, radix + 32, 0, n, 0);
      int error = -1;
      ASSERT_EQ(scan(buf, radix, &error), n) << buf;
      ASSERT_EQ(error, 0);
    }

    // Durations in milliseconds, within their range.
    int64_t ms = static_cast<int64_t>(rng() % 4000000000000ull) - 2000000000000;
    FormatFloat(buf, 0x200 + 40, 3, ms / 1000.0, 0);
    ASSERT_NEAR(scan(buf, 0x200, nullptr), ms / 1000.0, 1e-6) << buf;
  }
}

}  // namespace
