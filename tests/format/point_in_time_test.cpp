// Points in time inside number fields: FormatFloat writes them through the
// time strings and ScanFloat reads them back.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "veltra/format.h"

namespace {

double scan(std::string text, int format, int* error) {
  return ScanFloat(&text[0], static_cast<int16_t>(format), error);
}

TEST(PointInTime, ReadsBackWhatFormatFloatWrote) {
  std::mt19937_64 rng(3);
  char buf[80];
  for (int i = 0; i < 2000; ++i) {
    // Around midday, away from the night hours where clocks change.
    double t = static_cast<double>(rng() % 47400) * 86400 + 36000 + static_cast<double>(rng() % 14400);
    for (int fields : {0x3F, 0x7F}) {  // with and without the weekday
      int error = -1;
      FormatFloat(buf, static_cast<int16_t>(0x600 + fields), 0, t + 0.75, 0);
      ASSERT_EQ(scan(buf, 0x600 + fields, &error), t) << buf;
      ASSERT_EQ(error, 0) << buf;
      ASSERT_EQ(scan("&T" + std::string(buf + (fields == 0x7F ? 3 : 0)), 0, nullptr), t) << buf;
    }
  }
  EXPECT_STREQ(FormatFloat(buf, 0x600 + 0x3F, 0, -1, 0), "#NAN");
  EXPECT_STREQ(FormatFloat(buf, 0x600 + 0x3F, 0, 4102444800.0, 0), "#NAN");
  int error = -1;
  EXPECT_EQ(scan("32.13.2024", 0x600 + 0x38, &error), -1.0);
  EXPECT_EQ(error, 1);
}

}  // namespace
