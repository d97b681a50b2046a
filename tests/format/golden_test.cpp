// The golden file of decimal texts: written from glibc's printf by the
// native build, read by every build, so that the Windows builds are checked
// against the same digits.
#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "format_oracle.h"
#include "veltra/format.h"

namespace {

const std::string kGoldenPath = std::string(VELTRA_TEST_DATA) + "/format/data/float_texts.txt";
constexpr int kGoldenLines = 3000;

#ifndef _WIN32
// Rewrites the file when VELTRA_WRITE_GOLDEN is set in the environment of a
// native run: VELTRA_WRITE_GOLDEN=1 test_format --gtest_filter=Golden.*
void write_golden_file() {
  std::ofstream out(kGoldenPath);
  out << "# format decimals value-bits text, from glibc printf\n";
  std::mt19937_64 rng(4711);
  const int flags[] = {0, 0x400, 0x800, 0x8400};
  for (int i = 0; i < kGoldenLines; ++i) {
    double v = vt_test::sample_value(rng);
    int format = flags[rng() % 4] | static_cast<int>(rng() % 40);
    int decimals = static_cast<int>(rng() % 20);
    uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    char head[64];
    std::snprintf(head, sizeof head, "%04x %d %016" PRIx64 " ", format, decimals, bits);
    out << head << vt_test::oracle_text(format, decimals, v) << "\n";
  }
}
#endif

TEST(Golden, EveryBuildWritesTheSameDecimalTexts) {
#ifndef _WIN32
  if (std::getenv("VELTRA_WRITE_GOLDEN")) write_golden_file();
#endif
  std::ifstream in(kGoldenPath);
  ASSERT_TRUE(in) << kGoldenPath;
  std::string line;
  int checked = 0;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    unsigned format;
    int decimals;
    uint64_t bits;
    char text[256];
    ASSERT_EQ(std::sscanf(line.c_str(), "%x %d %" SCNx64 " %255s", &format, &decimals, &bits, text), 4)
        << line;
    double v;
    std::memcpy(&v, &bits, sizeof v);
    char buf[256];
    FormatFloat(buf, static_cast<int16_t>(format), static_cast<int16_t>(decimals), v, 0);
    ASSERT_STREQ(buf, text) << line;
#ifndef _WIN32
    ASSERT_EQ(vt_test::oracle_text(format, decimals, v), text) << "stale golden line: " << line;
#endif
    ++checked;
  }
  EXPECT_EQ(checked, kGoldenLines);
}

}  // namespace
