// The number rule of dialog edit items, with the C library's own reading of
// the point form as the oracle for accepted texts.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "ui/float_text.h"

namespace {

using vt::ui::format_item_float;
using vt::ui::kFloatTextSize;
using vt::ui::parse_item_float;

TEST(ItemFloat, ReadsACommaOrAPointAndNothingAfterTheNumber) {
  struct Case {
    const char* text;
    const char* point_form;  // null: the text is refused
  };
  const Case cases[] = {
      {"1,5", "1.5"},       {"1.5", "1.5"},     {" \t1.5", "1.5"},   {"-0,25", "-0.25"},
      {"3E-2", "3E-2"},     {",5", ".5"},       {"7", "7"},          {"1,5e2", "1.5e2"},
      {"1.5a", nullptr},    {"1.5 ", nullptr},  {"", nullptr},       {"abc", nullptr},
      {"1,5,", nullptr},    {"1.5,5", nullptr}, {" ", nullptr},      {"-", nullptr},
      {",", nullptr},
  };
  for (const Case& c : cases) {
    double v = 42;
    ASSERT_EQ(parse_item_float(c.text, &v), c.point_form != nullptr) << c.text;
    EXPECT_EQ(v, c.point_form ? strtod(c.point_form, nullptr) : 42) << c.text;
  }
  EXPECT_FALSE(parse_item_float(nullptr, nullptr));
}

TEST(ItemFloat, LooksAtNoMoreThan79Characters) {
  // 79 digits are read in full; an 80th character (here junk) lies beyond
  // what an item read hands over and is not seen.
  std::string digits(kFloatTextSize - 1, '1');
  double v = 0;
  ASSERT_TRUE(parse_item_float((digits + "x").c_str(), &v));
  EXPECT_EQ(v, strtod(digits.c_str(), nullptr));
}

TEST(ItemFloat, WritesSixSignificantDigitsThatReadBack) {
  const double values[] = {0, 1.5, -2250, 1234567, 1e-300, -1.7976931348623157e308, 0.1};
  for (double x : values) {
    char buf[kFloatTextSize];
    ASSERT_TRUE(format_item_float(x, buf));
    double back = 0;
    ASSERT_TRUE(parse_item_float(buf, &back)) << buf;
    EXPECT_LE(std::fabs(back - x), std::fabs(x) * 5e-6) << buf;
    EXPECT_EQ(strchr(buf, ','), nullptr) << buf;
  }
}

}  // namespace
