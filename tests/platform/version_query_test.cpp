// Windows version codes and yes/no questions over version records
// of the systems the tables know.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/version_query.h"

namespace {

using vt::platform::VersionRecord;

constexpr uint32_t k9x = 1, kNT = 2;
constexpr uint8_t kWs = 1, kDc = 2, kServer = 3;

// The edges of each platform's rows: the last minor version before the
// next code and the first one after the table.
TEST(VersionQuery, CodesAtTheEdgesOfTheTable) {
  struct Row { VersionRecord v; int code; } rows[] = {
      {{4, 9, 0, k9x, 0}, 1},      {{4, 10, 1998, k9x, 0}, 2},     {{4, 89, 0, k9x, 0}, 2},
      {{4, 90, 3000, k9x, 0}, -1}, {{5, 0, 0, k9x, 0}, 6},          {{3, 95, 0, k9x, 0}, 0},
      {{6, 1, 0, 3, kWs}, 0},      {{4, 0, 1381, kNT, kWs}, 3},     {{5, 2, 3790, kNT, kServer}, 6},
      {{5, 3, 0, kNT, kWs}, 14},   {{6, 1, 7601, kNT, kDc}, 8},     {{6, 3, 9600, kNT, kServer}, 13},
      {{6, 4, 0, kNT, kWs}, 14},   {{10, 0, 19045, kNT, kWs}, 14},
  };
  for (const Row& r : rows)
    EXPECT_EQ(r.code, vt::platform::version_code(r.v))
        << r.v.platform << ":" << r.v.major << "." << r.v.minor << " type " << int(r.v.product_type);
}

TEST(VersionQuery, NamesAtTheEndsOfTheTableAndBeyond) {
  const std::pair<int, const char*> names[] = {{-1, "Windows Me"},     {13, "Windows Server 2012 R2"},
                                               {0, "Windows (higher)"}, {-2, "Windows (higher)"},
                                               {14, "Windows (higher)"}};
  for (const auto& [code, name] : names) EXPECT_STREQ(name, vt::platform::version_name(code)) << code;
}

int yes64() { return 1; }
int no64() { return 0; }
int unknown64() { return -1; }

// The 64-bit question asks the callback and takes only a plain yes;
// questions without an answer give 0.
TEST(VersionQuery, SixtyFourBitsAndUnknownQuestions) {
  const VersionRecord seven = {6, 1, 7601, kNT, kWs};
  EXPECT_EQ(1, vt::platform::version_param(seven, 19, yes64));
  EXPECT_EQ(0, vt::platform::version_param(seven, 19, no64));
  EXPECT_EQ(0, vt::platform::version_param(seven, 19, unknown64));
  EXPECT_EQ(0, vt::platform::version_param(seven, 19, nullptr));
  for (int n : {20, 25, 31, 35, 100, -1}) EXPECT_EQ(0, vt::platform::version_param(seven, n, yes64)) << n;
}

TEST(VersionQuery, BuildNumberKeepsLow16BitsOn9xOnly) {
  EXPECT_EQ(0x0950u, vt::platform::version_build({4, 0, 0x04000950, k9x, 0}));
  EXPECT_EQ(0x04000950u, vt::platform::version_build({4, 0, 0x04000950, kNT, kWs}));
}

}  // namespace
