// ScanFloat under the user's locale: tests.cmake runs this program again
// with a German and a US user locale (VELTRA_EXPECT_LOCALE de or us).
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "veltra/format.h"
#include "veltra/frame.h"

namespace {

double scan(std::string text) { return ScanFloat(&text[0], 0, nullptr); }

TEST(LocaleScan, ReadsTheUserDecimalSeparator) {
  const char* which = std::getenv("VELTRA_EXPECT_LOCALE");
  std::string expected = !which ? GetSep(2) : std::strcmp(which, "de") == 0 ? "," : ".";
  ASSERT_STREQ(GetSep(2), expected.c_str());
  EXPECT_EQ(scan("3" + expected + "25"), 3.25);
  EXPECT_EQ(scan("3.25"), 3.25);
  if (expected == ".") EXPECT_EQ(scan("3,25"), 3.0);
}

}  // namespace
