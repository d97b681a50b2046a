// Duration texts: the written form by table, random write-then-read round
// trips, and the reader's acceptance rules.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <string>

#include "locale_scope.h"
#include "veltra/timestr.h"

namespace {

std::string text(double v, int16_t mode) {
  char buf[VT_TASTTMSTR_SIZE + 1];
  std::memset(buf, 'x', sizeof buf);
  buf[VT_TASTTMSTR_SIZE] = '#';  // guard byte: must survive
  std::string s = TastTmStr(buf, mode, v);
  EXPECT_EQ(buf[VT_TASTTMSTR_SIZE], '#');
  return s;
}

TEST(Duration, WrittenForms) {
  struct Case { double v; int16_t mode; const char* want; } cases[] = {
      {3725.5, 0, "01:02:05"}, {3725.5, -1, "01:02:05.500"}, {3725.5, 1, "01:02:05.500"}, {90061, 0, "1d 01:01:01"},
      {0.25, -1, "00:00:00.250"}, {5.0, -1, "00:00:05"}, {-90, 0, "-00:01:30"}, {1.0004, 1, "00:00:01.000"},
      {1.0006, 1, "00:00:01.001"},
      {59.9996, 1, "00:01:00.000"},  // the rounding carries into the seconds
      {86399.9999, -1, "1d 00:00:00"}, {2147483648.0, 0, "24855d 03:14:08"}, {4294967296.0, 0, "49710d 06:28:16"},
      {1e12, 1, "99999d 23:59:59.999"}, {-INFINITY, 1, "-99999d 23:59:59.999"}, {NAN, 0, "99999d 23:59:59"},
  };
  for (const Case& c : cases) EXPECT_EQ(text(c.v, c.mode), c.want) << c.v;
}

TEST(Duration, WriteThenReadRoundTrips) {
  std::mt19937 rng(21);
  std::uniform_int_distribution<int64_t> ms(0, int64_t(99999) * 86400000);
  for (int i = 0; i < 100000; ++i) {
    int64_t m = ms(rng);
    double v = m / 1000.0;
    std::string s = text(v, 1);
    double back = ScanTastTmStr(s.c_str());
    ASSERT_EQ(std::llround(back * 1000), m) << s;
  }
}

TEST(Duration, ReaderRules) {
  struct Case { const char* text; double want; } cases[] = {
      {"01:02:05,5", 3725.5}, {"1d 01:01:01", 90061}, {"5s", 5}, {"2m", 5356800}, {"0.05", 0.05}, {"1:2:3:4", -1},
      {"-5", -1}, {"5 min", -1}, {"1.2.3", 0}, {"", -1}, {"500ms", 0.5}, {"500 MS", 0.5}, {"1.5ms", 0.0015},
      {"1:30ms", -1}, {"5ms later", -1}, {"12.3456", 12.346}, {"1m 2d 3", 33 * 86400.0 + 3}, {"90", 90}, {"1:30", 90},
      {"5S", -1},
  };
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(ScanTastTmStr(c.text), c.want) << c.text;
  EXPECT_EQ(ScanTastTmStr(nullptr), -1.0);
  EXPECT_EQ(ScanTastTmStr(std::string(79, '1').c_str()) > 0, true);
  EXPECT_EQ(ScanTastTmStr(std::string(80, '1').c_str()), -1.0);
}

TEST(Duration, FractionMarkAsTimeSeparator) {
  vt::test::LocaleScope locale("DMY", '/', '.');
  struct Case { const char* text; double want; } cases[] = {
      {"01.02.05.5", 3725.5},
      {"01.02.05", -1},  // h.m.s or m.s.fraction
      {"1.5", -1}, {"90", 90}, {"1d 01.00.00.250", 90000.25},
  };
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(ScanTastTmStr(c.text), c.want) << c.text;
  EXPECT_EQ(text(3725.5, 1), "01.02.05.500");
}

}  // namespace
