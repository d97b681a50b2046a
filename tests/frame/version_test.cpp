#include <gtest/gtest.h>

#include <cstring>

#include "veltra/version.h"

TEST(Version, IsDottedTriple) {
  int a = -1, b = -1, c = -1;
  ASSERT_EQ(3, std::sscanf(VeltraVersion(), "%d.%d.%d", &a, &b, &c));
  EXPECT_EQ(VELTRA_VERSION_MAJOR, a);
}
