// Time texts: the written form against strftime under the same zone, print
// then scan round trips in several notations, and the reader's rules at a
// fixed current time.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

#include "locale_scope.h"
#include "port/clock.h"
#include "veltra/timestr.h"
#include "zone_env.h"

namespace {

constexpr uint64_t kEpochTicks = 116444736000000000ull;

using vt::test::local;

// Fixes the current time at Friday 2024-05-17 12:30:45 local (CET rules).
class FixedNow : public testing::Test {
 protected:
  void SetUp() override {
    now_ = local(2024, 5, 17, 12, 30, 45);
    vt::port::fix_time_for_tests(kEpochTicks + uint64_t(static_cast<uint32_t>(now_)) * 10000000);
  }
  void TearDown() override { vt::port::release_time_for_tests(); }
  vt::test::ZoneScope zone_{"CET-1CEST", "CET-1CEST,M4.1.0/2,M10.5.0/2"};
  vt::test::LocaleScope locale_{"DMY", '.', ':'};
  vt_time_t now_ = 0;
};

std::string text(vt_time_t t, int16_t ms, int16_t flags) {
  char buf[VT_TIMESTR_SIZE];
  std::memset(buf, 'x', sizeof buf);
  return TimeStr(buf, t, ms, flags);
}

TEST_F(FixedNow, WrittenForms) {
  struct Case { const char* order; char date_sep; int flags; const char* want; } cases[] = {
      {"DMY", '.', 0x07E, "17.05.2024 12:30:45"}, {"DMY", '.', 0x0FF, "Fr 17.05.2024 12:30:45.007"},
      {"DMY", '.', 0x00C, "12:30"}, {"DMY", '.', 0x008, "12:"}, {"DMY", '.', 0x030, "17.05."},
      {"DMY", '.', 0x040, "2024"}, {"YMD", '-', 0x070, "2024-05-17"}, {"MDY", '/', 0x03C, "05/17/ 12:30"},
      {"DMY", '.', 0x003, "45.007"}, {"DMY", '.', 0x001, "007"},
      {"DMY", '.', 0x005, "30"},  // minutes end the text; milliseconds hidden
      {"DMY", '.', 0x180, "Fr "},
  };
  for (const Case& c : cases) {
    vt::test::LocaleScope locale(c.order, c.date_sep, ':');
    EXPECT_EQ(text(now_, 7, static_cast<int16_t>(c.flags)), c.want) << c.flags;
  }
  EXPECT_EQ(text(-1, 0, 0x7F), "kein Wert");
  EXPECT_EQ(text(-1, 0, 0x106), "30:45");
  EXPECT_EQ(text(static_cast<vt_time_t>(4102444800u), 0, 0x7F), "");
  EXPECT_EQ(text(now_, -7, 0x003), "45.-07");
  EXPECT_EQ(TimeStr(nullptr, now_, 0, 0x7F), nullptr);
}

#if !defined(_WIN32)
TEST_F(FixedNow, WrittenFormMatchesStrftime) {
  std::mt19937 rng(12);
  std::uniform_int_distribution<uint32_t> any(0, 4102444799u);
  for (int i = 0; i < 50000; ++i) {
    uint32_t t = any(rng);
    time_t v = t;
    ::tm r;
    localtime_r(&v, &r);
    char want[64];
    strftime(want, sizeof want, "%d.%m.%Y %H:%M:%S", &r);
    ASSERT_EQ(text(static_cast<vt_time_t>(t), 123, 0x07F), std::string(want) + ".123") << t;
  }
}
#endif

TEST_F(FixedNow, PrintThenScanRoundTrips) {
  struct Notation {
    const char* order;
    char date_sep, time_sep;
  } notations[] = {{"DMY", '.', ':'}, {"YMD", '-', ':'}, {"MDY", '/', '.'}};
  std::mt19937 rng(13);
  std::uniform_int_distribution<uint32_t> any(86400, 4102444799u - 86400);
  for (const Notation& n : notations) {
    vt::test::LocaleScope locale(n.order, n.date_sep, n.time_sep);
    for (int i = 0; i < 20000; ++i) {
      vt_time_t t = static_cast<vt_time_t>(any(rng));
      if (vt_localtime(&t)->tm_isdst > 0) {
        vt_time_t later = static_cast<vt_time_t>(static_cast<uint32_t>(t) + 3600);
        if (vt_localtime(&later)->tm_isdst == 0) continue;  // the repeated hour
      }
      std::string s = text(t, 0, 0x07E);
      ASSERT_EQ(ScanTimeStr(&s[0], 2), t) << text(t, 0, 0x07E);
    }
  }
}

TEST_F(FixedNow, ReaderRules) {
  const vt_time_t today = local(2024, 5, 17);
  struct Case { const char* text; int strict; vt_time_t want; } cases[] = {
      {"17.05.2024 12:30:45", 1, local(2024, 5, 17, 12, 30, 45)}, {"17.05.24", 1, local(2024, 5, 17)},
      {"17.05.69", 1, local(2069, 5, 17)}, {"17.05.70", 1, local(1970, 5, 17)}, {"17.05.", 1, local(2024, 5, 17)},
      {"3.1", 1, local(2024, 1, 3)}, {"12:30", 0, local(2024, 5, 17, 12, 30)}, {"12:30", 1, local(2024, 5, 17, 12, 30)},
      {"12:30", 2, -1}, {"12", 2, -1}, {"17.05.2024 12", 2, -1}, {"32.05.2024", 1, -1}, {"32.05.2024 12:30:45", 1, -1},
      {"32.05.2024 12:30:60", 0, local(2024, 6, 1, 12, 31)}, {"32.05.2024", 0, local(2024, 6, 1)},
      {"17.13.2024", 1, -1}, {"17.05.2101", 1, -1}, {"17.05.2024 24:00", 1, -1},
      {"17.05.2024 24:00", 0, local(2024, 5, 18)}, {"17.05.2024 12:30:45x", 1, -1}, {"17.05.2024 12:30:4.5", 1, -1},
      {"17.05.2024x", 1, -1}, {"17.05.2024 12:30:45 tomorrow", 1, local(2024, 5, 17, 12, 30, 45)},
      {"  17.05.2024   08:15  ", 2, local(2024, 5, 17, 8, 15)}, {"", 0, local(2024, 5, 17, 12, 30, 45)}, {"", 1, -1},
      {"DAY-1D", 2, local(2024, 5, 16)}, {"ab", 1, -1}, {"ab", 0, today}, {"17.05.1969", 0, -1},
  };
  for (const Case& c : cases) {
    std::string s = c.text;
    EXPECT_EQ(ScanTimeStr(&s[0], c.strict), c.want) << '"' << c.text << "\" strict " << c.strict;
  }
}

TEST_F(FixedNow, KeywordTimes) {
  struct Case { const char* text; vt_time_t want; } cases[] = {
      {"NOW", local(2024, 5, 17, 12, 30, 45)}, {"now", local(2024, 5, 17, 12, 30, 45)},
      {"SECOND+1S", local(2024, 5, 17, 12, 30, 46)}, {"MINUTE", local(2024, 5, 17, 12, 30)},
      {"HOUR-30M", local(2024, 5, 17, 11, 30)}, {"DAY", local(2024, 5, 17)}, {"DAY-1D", local(2024, 5, 16)},
      {"day +2 h", local(2024, 5, 17, 2)}, {"WEEK", local(2024, 5, 13)}, {"WEEK+1W", local(2024, 5, 20)},
      {"MONTH+1MO-1D", local(2024, 5, 31)}, {"MONTH-3MO", local(2024, 2, 1)}, {"YEAR+1Y-1D", local(2024, 12, 31)},
      {"SHIFT", local(2024, 5, 17, 8)}, {"SHIFT+8H", local(2024, 5, 17, 16)}, {"DAY-1X", -1}, {"DAY-D", -1},
      {"DAYS", -1}, {"  NOW", -1}, {"TODAY", -1}, {"", -1},
  };
  for (const Case& c : cases) EXPECT_EQ(ScanHDATime(c.text), c.want) << c.text;
  EXPECT_EQ(ScanHDATime(nullptr), -1);
}

}  // namespace
