// FormatFloat: examples of every form, placeholders, and the decimal forms
// against glibc's correctly rounded printf.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "format_oracle.h"
#include "veltra/format.h"

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr int kDay = 86400;

TEST(FormatFloat, WritesEachForm) {
  const struct {
    int format, decimals;
    double value;
    int representation;
    const char* text;
  } cases[] = {
      {8, 2, 3.14159, 0, "3.14"},
      {0x400 + 8, 2, -3.14159, 0, "-0003.14"},
      {8, 2, -0.004, 0, "0.00"},  // no sign on a value that rounds to zero
      {8, 2, -0.0, 0, "0.00"},
      {5, 2, 123456, 0, "1E+005"},  // too wide: exponent notation
      {0x800 + 10, 2, -1.5e-300, 0, "-1.50E-300"},
      {0x400 + 0x100 + 4, 0, 255, 0, "00FF"},
      {0x100 + 8, 0, -1, 0, "FFFFFFFF"},
      {0x100 + 8, 0, 4294967295.5, 0, "#NAN"},
      {0x100 + 8, 0, -2147483649.0, 0, "#NAN"},
      {0x80 + 8, 0, 5, 0, "101"},
      {0x80 + 4, 0, 255, 0, "3E+002"},
      // Binary and hexadecimal digits come before the date/time selection.
      {0x600 + 0x80 + 8, 0, 5, 0, "00000101"},
      {0x600 + 0x100 + 4, 0, 255, 0, "00FF"},
      {static_cast<int16_t>(0x8000 + 0x100 + 8), 0, 255, 0, "255"},
      {static_cast<int16_t>(0x8000 + 0x400 + 8), 1, 2.5, 0, "2.5"},
      {static_cast<int16_t>(0x8000 + 0x600 + 0x3F), 3, 1e9, 0, "1000000000"},
      {0x200 + 21, 3, kDay + 2 * 3600 + 3 * 60 + 4.5, 0, "1d 02:03:04.500"},
      {0x200 + 17, 0, -61, 0, "-00:01:01"},
      {0x200 + 17, 0, kDay, 0, "1d 00:00:00"},
      {0x200 + 40, 2, 2147483647.0, 0, "24855d 03:14:07.00"},
      {0x200 + 17, 0, 3e9, 0, "#NAN"},
      // Durations keep their own rounding, not the exact one: whole seconds
      // after a bias of 0.00049, fraction digits after 0.49 more, carried.
      {0x200 + 40, 4, 1.0, 0, "00:00:01.0005"},
      {0x200 + 40, 0, 0.9995, 0, "00:00:00"},  // exactly rounded: 00:00:01
      {0x200 + 40, 1, 0.25, 0, "00:00:00.2"},
      {0x200 + 40, 1, 1.96, 0, "00:00:02.0"},
      {0x200 + 40, 1, kDay - 0.04, 0, "1d 00:00:00.0"},
      {0x600 + 0x38, 0, -1, 0, "#NAN"},
      {0x600 + 0x38, 0, 4102444800.0, 0, "#NAN"},
      {8, 2, -std::numeric_limits<double>::signaling_NaN(), 0, "#NAN"},
      {8, 2, kInf, 0, "#INF"},
      {8, 2, -kInf, 0, "#NINF"},
      {8, 2, 1.0, 2, "        "},
      {8, 2, 1.0, 3, "-----.--"},
      {8, 8, 1.0, 3, "--------"},
      {8, 2, 1.0, 4, "#####.##"},
  };
  for (const auto& c : cases) {
    char buf[128];
    EXPECT_STREQ(FormatFloat(buf, c.format, c.decimals, c.value, c.representation), c.text)
        << c.format << "," << c.decimals << " " << c.value << " repr " << c.representation;
  }
}

#ifndef _WIN32
TEST(FormatFloat, DecimalFormsMatchGlibc) {
  std::mt19937_64 rng(2026);
  for (int i = 0; i < 200000; ++i) {
    double v = vt_test::sample_value(rng);
    int decimals = static_cast<int>(rng() % 24);
    int width = static_cast<int>(rng() % 128);
    const int flags[] = {0, 0x400, 0x800, 0x8400};
    int format = flags[rng() % 4] | width;
    char buf[256];
    FormatFloat(buf, static_cast<int16_t>(format), decimals, v, 0);
    ASSERT_EQ(buf, vt_test::oracle_text(format, decimals, v))
        << std::hexfloat << v << " " << format << "," << decimals;
  }
}
#endif

}  // namespace
