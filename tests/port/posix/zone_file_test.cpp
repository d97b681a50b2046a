// The machine's zone in the native build: zone files of the system's tzdata
// against the C library's own reading of them, rule texts by table, damaged
// files as no zone, and time() against the system's clock.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "port/posix/posix_rule.h"
#include "port/posix/tzif.h"
#include "port/zone.h"
#include "veltra/timezone.h"

namespace {

constexpr char kZoneDir[] = "/usr/share/zoneinfo/";

std::vector<unsigned char> file_bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

void write_file(const std::string& path, const std::vector<unsigned char>& data) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(data.data()),
                                              static_cast<std::streamsize>(data.size()));
}

// "TZ" for the library and the C library alike, for the life of a scope.
struct TzScope {
  explicit TzScope(const char* tz) {
    if (tz) setenv("TZ", tz, 1); else unsetenv("TZ");
    tzset();
    tzset_();
  }
  ~TzScope() {
    unsetenv("TZ");
    tzset();
    tzset_();
  }
};

// From 2026 on every zone below follows its file's rule; tzdata lists the
// transitions up to 2037, where the C library reads them from the table.
constexpr uint32_t k2026 = 1767225600u;
constexpr uint32_t k2038 = 2145916800u;

TEST(ZoneFile, LocalTimeFollowsTheFilesRuleAsTheCLibraryReadsIt) {
  const char* zones[] = {
      "Europe/Berlin",    "America/New_York", "Australia/Sydney",  // north, west, south
      "Europe/Dublin",                                             // daylight time in winter
      "America/Santiago",                                          // transitions at 24:00
      "Australia/Lord_Howe",                                       // daylight time of 30 min
      "Asia/Kathmandu",   "America/St_Johns", "UTC", "Etc/GMT+5",  // odd minutes, no daylight
      "America/Sao_Paulo",                                         // history only: a fixed offset
  };
  for (const char* zone : zones) {
    TzScope tz(zone);
    std::mt19937 rng(7);
    std::uniform_int_distribution<uint32_t> any(k2026, k2038);
    std::vector<uint32_t> times;
    for (uint32_t t = k2026; t < k2038; t += 1800) times.push_back(t);  // every half hour
    for (int i = 0; i < 20000; ++i) times.push_back(any(rng));
    for (uint32_t t : times) {
      time_t ct = static_cast<time_t>(t);
      struct tm want;
      localtime_r(&ct, &want);
      vt_time_t vt = static_cast<vt_time_t>(t);
      const vt_tm* got = vt_localtime(&vt);
      ASSERT_NE(got, nullptr);
      ASSERT_EQ(got->tm_mday, want.tm_mday) << zone << " " << t;
      ASSERT_EQ(got->tm_hour * 3600 + got->tm_min * 60 + got->tm_sec,
                want.tm_hour * 3600 + want.tm_min * 60 + want.tm_sec)
          << zone << " " << t;
      ASSERT_EQ(got->tm_isdst > 0, want.tm_isdst > 0) << zone << " " << t;
    }
  }
}

TEST(ZoneFile, RuleTextsGiveTheSystemRecord) {
  struct Case {
    const char* rule;
    int bias, daylight_bias;
    const char* names[2];
    int start[5], end[5];  // year, month, day (occurrence), weekday, seconds of the day
  } cases[] = {
      {"CET-1CEST,M3.5.0,M10.5.0/3", -60, -60, {"CET", "CEST"}, {0, 3, 5, 0, 7200}, {0, 10, 5, 0, 10800}},
      {"EST5EDT", 300, -60, {"EST", "EDT"}, {0, 3, 2, 0, 7200}, {0, 11, 1, 0, 7200}},
      {"IST-1GMT0,M10.5.0,M3.5.0/1", -60, 60, {"IST", "GMT"}, {0, 10, 5, 0, 7200}, {0, 3, 5, 0, 3600}},
      {"<+1030>-10:30<+11>-11,M10.1.0,M4.1.0", -630, -30, {"+1030", "+11"}, {0, 10, 1, 0, 7200}, {0, 4, 1, 0, 7200}},
      {"<-03>3", 180, 0, {"-03", ""}, {}, {}},
      // Days of the year as days of a month (a common year for "n").
      {"AAA3BBB,J60/1:30:15,59/0", 180, -60, {"AAA", "BBB"}, {1, 3, 1, 0, 5415}, {1, 3, 1, 0, 0}},
      // Times beyond the day move to its ends.
      {"IST-2IDT,M3.4.4/26,M10.5.0", -120, -60, {"IST", "IDT"}, {0, 3, 4, 4, 86400}, {0, 10, 5, 0, 7200}},
      {"<-02>2<-01>,M3.5.0/-1,M10.5.0/0", 120, -60, {"-02", "-01"}, {0, 3, 5, 0, 0}, {0, 10, 5, 0, 0}},
  };
  for (const Case& c : cases) {
    vt::port::ZoneInfo z;
    ASSERT_TRUE(vt::port::zone_of_rule(c.rule, z)) << c.rule;
    EXPECT_EQ(z.bias, c.bias) << c.rule;
    EXPECT_EQ(z.daylight_bias, c.daylight_bias) << c.rule;
    EXPECT_STREQ(z.standard_name, c.names[0]);
    EXPECT_STREQ(z.daylight_name, c.names[1]);
    const vt::port::WallTime* dates[] = {&z.daylight_date, &z.standard_date};
    const int* want[] = {c.start, c.end};
    for (int i = 0; i < 2; ++i) {
      const vt::port::WallTime& d = *dates[i];
      int got[] = {d.year, d.month, d.day, d.day_of_week, d.hour * 3600 + d.minute * 60 + d.second};
      for (int k = 0; k < 5; ++k) EXPECT_EQ(got[k], want[i][k]) << c.rule << " date " << i << " field " << k;
    }
  }
  const char* bad[] = {"", "AB1", "CET", "CET-25", "CET-1CEST,M13.1.0,M1.1.0", "CET-1CEST,M3.5.0",
                       "CET-1CEST,M3.5.0,M10.5.0/3x", "<AB>1", "<ABC1", "CET-1CEST,M3.6.0,M10.5.0",
                       "CET-1CEST,J0,J365", "CET-1:60"};
  for (const char* b : bad) {
    vt::port::ZoneInfo z;
    EXPECT_FALSE(vt::port::zone_of_rule(b, z)) << b;
  }
}

TEST(ZoneFile, DamagedFilesAreNoZone) {
  const std::vector<unsigned char> berlin = file_bytes(std::string(kZoneDir) + "Europe/Berlin");
  ASSERT_GT(berlin.size(), 1000u);
  vt::port::tzif::Zone z;
  ASSERT_TRUE(vt::port::tzif::read(berlin.data(), berlin.size(), z));
  EXPECT_STREQ(z.rule, "CET-1CEST,M3.5.0,M10.5.0/3");
  // Every shorter prefix misses a part the counts promise, or the footer's end.
  for (std::size_t n = 0; n < berlin.size(); ++n) {
    std::vector<unsigned char> cut(berlin.begin(), berlin.begin() + n);  // exactly sized for ASan
    ASSERT_FALSE(vt::port::tzif::read(cut.data(), cut.size(), z)) << n;
  }
  // A count raised beyond the data, the version-1 part alone.
  std::vector<unsigned char> big = berlin;
  big[32] = 0x7F;  // timecnt's top byte
  EXPECT_FALSE(vt::port::tzif::read(big.data(), big.size(), z));
  std::vector<unsigned char> v1 = berlin;
  v1[4] = 0;
  ASSERT_TRUE(vt::port::tzif::read(v1.data(), v1.size(), z));
  EXPECT_STREQ(z.rule, "");
  EXPECT_EQ(z.offset, 3600);  // its last listed transition (2037) is to CET
  EXPECT_STREQ(z.name, "CET");

  // Through "TZ": a damaged file is no system zone, the library keeps its
  // values; the version-1 file is a fixed zone.
  const std::string path = testing::TempDir() + "vt_zone_file.tmp";
  write_file(path, std::vector<unsigned char>(berlin.begin(), berlin.end() - 5));
  const std::string tz = ":" + path;
  {
    TzScope scope(tz.c_str());
    vt::port::ZoneInfo info;
    EXPECT_EQ(vt::port::system_zone(info), vt::port::ZoneNow::Failed);
  }
  write_file(path, v1);
  {
    TzScope scope(tz.c_str());
    EXPECT_EQ(*gettimezone(), -3600);
    EXPECT_EQ(*getdaylight(), 0);
  }
  std::remove(path.c_str());
}

// Whenever the library's zone is the system's, its time() is the C
// library's: "TZ" unset (the machine's zone, whatever it is), a zone name,
// and any record and daylight state the system reports.
// The system's epoch seconds, read with the clock the library reads (time()
// of the C library may lag it by a tick at a second's turn).
uint32_t system_seconds() {
  timespec ts;
  clock_gettime(CLOCK_REALTIME, &ts);
  return static_cast<uint32_t>(ts.tv_sec);
}

void expect_system_clock(const std::string& what) {
  uint32_t before = system_seconds();
  uint32_t t = static_cast<uint32_t>(vt_time(nullptr));
  uint32_t after = system_seconds();
  EXPECT_GE(t, before) << what;
  EXPECT_LE(t, after) << what;
}

// time() is the system's clock whatever "TZ" holds: unset, empty (the
// library keeps the zone it had), a zone name, or a rule, which the library
// reads itself while the C library's wall clock would follow another zone.
TEST(ZoneFile, TimeIsTheSystemClockUnderEveryFormOfTz) {
  const char* forms[] = {nullptr,           "",        "Europe/Berlin", ":Australia/Sydney",
                         ":/usr/share/zoneinfo/America/New_York", "Europe/Dublin", "MEZ-1MESZ",
                         "EST5EDT",         "JST-9",   "CET-1CEST,M3.5.0,M10.5.0/3", "AEST-10AEDT",
                         "NZST-12NZDT"};
  for (const char* tz : forms) {
    TzScope scope(tz);
    expect_system_clock(tz ? "TZ=\"" + std::string(tz) + "\"" : std::string("TZ unset"));
  }
  // A system zone with daylight time of its own, in both of its states.
  const char* rules[] = {"CET-1CEST,M3.5.0,M10.5.0/3", "IST-1GMT0,M10.5.0,M3.5.0/1",
                         "<+1030>-10:30<+11>-11,M10.1.0,M4.1.0", "<-03>3"};
  for (const char* rule : rules) {
    for (auto now : {vt::port::ZoneNow::Standard, vt::port::ZoneNow::Daylight}) {
      vt::port::ZoneInfo z;
      ASSERT_TRUE(vt::port::zone_of_rule(rule, z));
      vt::port::fix_zone_for_tests(&z, now);
      TzScope scope(nullptr);
      expect_system_clock(std::string("system zone ") + rule);
      vt::port::fix_zone_for_tests(nullptr, vt::port::ZoneNow::Failed);
    }
  }
}

}  // namespace
