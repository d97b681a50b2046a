// ScanFloat under the user's locale: tests.cmake runs this program again
// with a German and a US user locale (VELTRA_EXPECT_LOCALE de or us).
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "veltra/format.h"
#include "veltra/frame.h"

TEST(UnderLocaleScan, ReadsTheUserDecimalSeparator) {
  const char* which = std::getenv("VELTRA_EXPECT_LOCALE");
  ASSERT_NE(nullptr, which) << "run by the per-locale registrations only";
  std::string sep = std::string(which) == "de" ? "," : ".";
  ASSERT_STREQ(GetSep(2), sep.c_str());
  std::string local = "3" + sep + "25", point = "3.25", comma = "3,25";
  EXPECT_EQ(ScanFloat(&local[0], 0, nullptr), 3.25);
  EXPECT_EQ(ScanFloat(&point[0], 0, nullptr), 3.25);
  EXPECT_EQ(ScanFloat(&comma[0], 0, nullptr), sep == "," ? 3.25 : 3.0);
}
