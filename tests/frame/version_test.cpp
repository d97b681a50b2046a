#include <gtest/gtest.h>

#include <cstring>

#include "port/strings.h"
#include "veltra/version.h"

TEST(Version, IsDottedTriple) {
  int a = -1, b = -1, c = -1;
  ASSERT_EQ(3, std::sscanf(VeltraVersion(), "%d.%d.%d", &a, &b, &c));
  EXPECT_EQ(VELTRA_VERSION_MAJOR, a);
}

TEST(StringTable, WeekdayAbbreviationComesBackAsCodePage1252) {
  char buf[8];
  EXPECT_EQ(2, vt::port::load_string(20, buf, sizeof buf));
  EXPECT_STREQ("Di", buf);
  EXPECT_EQ(0, vt::port::load_string(65000, buf, sizeof buf));
  EXPECT_STREQ("", buf);
}
