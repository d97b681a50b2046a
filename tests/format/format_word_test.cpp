// The format word and its mask text: FormatStr, FormatStrLen, ScanFormat.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

#include "veltra/format.h"

namespace {

struct MaskCase {
  int format, decimals;
  const char* mask;
};

TEST(FormatStr, WritesTheMaskOfEachForm) {
  const MaskCase cases[] = {
      {8, 2, "#####.##"},
      {0x400 + 6, 0, "0######"},
      {0x800 + 10, 2, "E##.##"},
      {0x100 + 4, 0, "xxxx"},
      {0x80 + 3, 0, "bbb"},
      {0x500 + 4, 0, "0xxxx"},
      {0x200 + 21, 3, "hh:mm:ss.sss"},
      {0x200 + 17, 0, "hh:mm:ss"},
      {0x600 + 0x7F, 0, "W DD.MM.YYYY HH:MM:SS"},
      {0x600 + 0x38, 0, "DD.MM.YYYY "},
      {0x600 + 0x06, 0, "HH:MM"},
      {0x600 + 0x03, 0, "MM:SS"},
      {0x600, 0, ""},
      {0xC00 + 10, 2, "0E##.##"},
      {0x800 + 3, 0, "E"},          // the exponent eats the whole width
      {2, 2, ".##"},                // no room for integer digits
      {0, 0, ""},
      {3, -4, "###"},               // negative decimals count as none
      {static_cast<int16_t>(0x8000 + 5), 0, "#####"},
  };
  for (const MaskCase& c : cases)
    EXPECT_STREQ(FormatStr(c.format, c.decimals), c.mask) << c.format << "," << c.decimals;
}

TEST(FormatStr, NeverWritesPastItsBuffer) {
  // The result buffer holds 80 bytes; a word with many decimals is cut.
  EXPECT_EQ(std::strlen(FormatStr(0x7F, 20000)), 79u);
  EXPECT_EQ(std::strlen(FormatStr(0x200, 300)), 79u);
}

TEST(FormatStrLen, IsTheWidthWithoutFlagPrefixes) {
  EXPECT_EQ(FormatStrLen(0x400 + 0x800 + 10, 2), 5);
  // Closed form: a decimal mask with room for its decimals is exactly as wide
  // as the field, less the exponent characters.
  for (int width = 1; width < 128; ++width)
    for (int decimals = 0; decimals < 40; ++decimals)
      for (int flags : {0, 0x400, 0x800, 0x100, 0x80}) {
        int digits = flags == 0x800 ? width - 5 : width;
        if (digits <= 0 || (decimals && decimals >= digits - 1)) continue;
        if (digits + (flags ? 1 : 0) >= 80) continue;
        ASSERT_EQ(FormatStrLen(flags + width, decimals), digits) << flags << " " << width;
      }
}

struct ScanCase {
  const char* text;
  int allowed;
  int ok, format, decimals;
};

TEST(ScanFormat, ReadsAllowedFormsOnly) {
  const ScanCase cases[] = {
      {"#####.##", 0, 1, 8, 2},
      {"0###", 0x400, 1, 0x403, 0},
      {"0###", 0, 0, 0, 0},
      {"E##.##", 0x800, 1, 0x80A, 2},
      {"E##.##", 0x400, 0, 0, 0},
      {"hh:mm:ss.sss", 0x200, 1, 0x215, 3},
      {"hh:mm:ss", 0x200, 1, 0x211, 0},
      {"hh:mm:ss.", 0x200, 1, 0x211, 0},
      {"hh:mm:ss.s5", 0x200, 0, 0, 0},
      {"hh:mm", 0x200, 0, 0, 0},
      {"0hh:mm:ss", 0x600, 0, 0, 0},
      {"DD.MM.YYYY", 0x600, 1, 0x638, 0},
      {"DD/MM/YYYY", 0x600, 1, 0x628, 0},
      {"MM:SS", 0x600, 1, 0x601, 0},
      {"W DD.MM.YYYY HH:MM:SS", 0x600, 1, 0x67F, 0},
      {"HH:MM", 0x200, 1, 0x606, 0},
      {"DD.MM.YYYY x", 0x600, 0, 0, 0},
      {"EDD.MM", 0xE00, 0, 0, 0},
      {"###", 0, 1, 3, 0},
      {"0E###", 0xC00, 1, 0x808, 0},
      {".##", 0, 0, 0, 0},
      {"#.##", 0, 1, 4, 2},
      {"Ebbb", 0x880, 0, 0, 0},
      {"bbbb", 0x80, 1, 0x84, 0},
      {"bbbb", 0, 0, 0, 0},
      {"0xxxxxxxx", 0x500, 1, 0x508, 0},
      {"xx.xx", 0x100, 0, 0, 0},
      {"  \t###  \r\n", 0, 1, 3, 0},
      {"##.##.#", 0, 0, 0, 0},
      {"", 0x7FFF, 0, 0, 0},
      {"   ", 0x7FFF, 0, 0, 0},
      {"E", 0x800, 1, 0x805, 0},   // the exponent alone is five wide
      {"0", 0x400, 0, 0, 0},
  };
  for (const ScanCase& c : cases) {
    int16_t f = -7, d = -7;
    ASSERT_EQ(ScanFormat(c.text, &f, &d, c.allowed), c.ok) << '"' << c.text << '"';
    if (c.ok) {
      EXPECT_EQ(f, c.format) << c.text;
      EXPECT_EQ(d, c.decimals) << c.text;
    } else {
      EXPECT_EQ(f, -7) << "output written on rejection: " << c.text;
      EXPECT_EQ(d, -7) << c.text;
    }
  }
  int16_t f, d;
  EXPECT_EQ(ScanFormat(std::string(32, '#').c_str(), &f, &d, 0), 1);
  EXPECT_EQ(ScanFormat(std::string(33, '#').c_str(), &f, &d, 0), 0);
  EXPECT_EQ(ScanFormat(nullptr, &f, &d, 0), 0);
}

// The word that FormatStr(format)'s mask scans back to: a date/time mask
// keeps its minutes only when hours precede them (minutes are recognised as
// ":MM"); every other word scans back to itself. 0 when nothing is left.
int expected_rescan(int format) {
  if ((format & 0x600) != 0x600 || !(format & 0x02) || (format & 0x04)) return format;
  return (format & 0x7D) ? format & ~0x02 : 0;
}

// Scans FormatStr(f, d) and checks it gives back what expected_rescan says.
::testing::AssertionResult rescans(int16_t f, int16_t d) {
  int16_t f2 = -1, d2 = -1;
  int ok = ScanFormat(FormatStr(f, d), &f2, &d2, 0xF80);
  int want = expected_rescan(f);
  if (ok == (want != 0) && (!ok || (f2 == static_cast<int16_t>(want) && d2 == d)))
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << FormatStr(f, d) << " scanned to " << ok << " " << f2
                                       << "," << d2;
}

TEST(ScanFormat, MasksOfScannedWordsScanBackToTheSameWord) {
  // Random texts over the mask alphabet give the words ScanFormat produces.
  const char alphabet[] = "#.#0Ebxhh:mm:ss.sDMYHSW /";
  std::mt19937 rng(7);
  int accepted = 0;
  for (int i = 0; i < 200000; ++i) {
    std::string text;
    for (int n = rng() % 24; n > 0; --n) text += alphabet[rng() % (sizeof alphabet - 1)];
    int16_t f, d;
    if (!ScanFormat(text.c_str(), &f, &d, 0xF80)) continue;
    ++accepted;
    ASSERT_TRUE(rescans(f, d)) << text;
  }
  EXPECT_GT(accepted, 1000);

  // And every word of the masks FormatStr writes, exhaustively.
  for (int format = 0; format < 0x1000; ++format)
    for (int decimals = 0; decimals < 34; ++decimals) {
      int16_t f, d;
      if (ScanFormat(FormatStr(format, decimals), &f, &d, 0xF80)) {
        ASSERT_TRUE(rescans(f, d)) << format << "," << decimals;
      }
    }
}

}  // namespace
