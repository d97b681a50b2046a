// The format word and its mask text: FormatStr, FormatStrLen, ScanFormat.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

#include "veltra/format.h"

namespace {

TEST(FormatStr, WritesTheMaskOfEachForm) {
  const struct {
    int format, decimals;
    const char* mask;
  } cases[] = {
      {8, 2, "#####.##"},         {0x400 + 6, 0, "0######"},
      {0x800 + 10, 2, "E##.##"},  {0xC00 + 10, 2, "0E##.##"},
      {0x500 + 4, 0, "0xxxx"},    {0x80 + 3, 0, "bbb"},
      {0x200 + 21, 3, "hh:mm:ss.sss"},
      {0x600 + 0x7F, 0, "W DD.MM.YYYY HH:MM:SS"},
      {0x600 + 0x38, 0, "DD.MM.YYYY "},
      {0x600 + 0x06, 0, "HH:MM"}, {0x600, 0, ""},
      {0x800 + 3, 0, "E"},        {2, 2, ".##"},
      {3, -4, "###"},             {static_cast<int16_t>(0x8000 + 5), 0, "#####"},
  };
  for (const auto& c : cases)
    EXPECT_STREQ(FormatStr(c.format, c.decimals), c.mask) << c.format << "," << c.decimals;
  // The 80-byte result buffer cuts a mask with very many decimals.
  EXPECT_EQ(std::strlen(FormatStr(0x7F, 20000)), 79u);
  EXPECT_EQ(std::strlen(FormatStr(0x200, 300)), 79u);
}

TEST(FormatStrLen, IsTheWidthWithoutFlagPrefixes) {
  EXPECT_EQ(FormatStrLen(0x400 + 0x800 + 10, 2), 5);  // "0E##.##"
  EXPECT_EQ(FormatStrLen(0x400 + 0x100 + 8, 0), 8);   // "0xxxxxxxx"
  EXPECT_EQ(FormatStrLen(0x600 + 0x38, 0), 11);       // "DD.MM.YYYY "
}

TEST(ScanFormat, ReadsAllowedFormsOnly) {
  const struct {
    const char* text;
    int allowed, ok, format, decimals;
  } cases[] = {
      {"#####.##", 0, 1, 8, 2},          {"0###", 0x400, 1, 0x403, 0},
      {"0###", 0, 0, 0, 0},              {"E##.##", 0x800, 1, 0x80A, 2},
      {"0E###", 0xC00, 1, 0x808, 0},     {"hh:mm:ss.sss", 0x200, 1, 0x215, 3},
      {"hh:mm:ss.", 0x200, 1, 0x211, 0}, {"hh:mm:ss.s5", 0x200, 0, 0, 0},
      {"0hh:mm:ss", 0x600, 0, 0, 0},     {"DD.MM.YYYY", 0x600, 1, 0x638, 0},
      {"DD/MM/YYYY", 0x600, 1, 0x628, 0}, {"MM:SS", 0x600, 1, 0x601, 0},
      {"HH:MM", 0x200, 1, 0x606, 0},     {"DD.MM.YYYY x", 0x600, 0, 0, 0},
      {"EDD.MM", 0xE00, 0, 0, 0},        {"###", 0, 1, 3, 0},
      {".##", 0, 0, 0, 0},               {"#.##", 0, 1, 4, 2},
      {"Ebbb", 0x880, 0, 0, 0},          {"bbbb", 0, 0, 0, 0},
      {"xx.xx", 0x100, 0, 0, 0},         {"  \t###  \r\n", 0, 1, 3, 0},
      {"   ", 0x7FFF, 0, 0, 0},
  };
  for (const auto& c : cases) {
    int16_t f = -7, d = -7;
    ASSERT_EQ(ScanFormat(c.text, &f, &d, c.allowed), c.ok) << '"' << c.text << '"';
    EXPECT_EQ(f, c.ok ? c.format : -7) << c.text;  // untouched on rejection
    EXPECT_EQ(d, c.ok ? c.decimals : -7) << c.text;
  }
  int16_t f, d;
  EXPECT_EQ(ScanFormat(std::string(32, '#').c_str(), &f, &d, 0), 1);
  EXPECT_EQ(ScanFormat(std::string(33, '#').c_str(), &f, &d, 0), 0);
  EXPECT_EQ(ScanFormat(nullptr, &f, &d, 0), 0);
}

// Scans FormatStr(f, d) back. A date/time mask keeps its minutes only when
// hours precede them (minutes are recognised as ":MM"); every other word
// must come back as it was.
::testing::AssertionResult rescans(int16_t f, int16_t d) {
  int want = f;
  if ((f & 0x600) == 0x600 && (f & 0x02) && !(f & 0x04)) want = (f & 0x7D) ? f & ~0x02 : 0;
  int16_t f2 = -1, d2 = -1;
  int ok = ScanFormat(FormatStr(f, d), &f2, &d2, 0xF80);
  if (ok == (want != 0) && (!ok || (f2 == static_cast<int16_t>(want) && d2 == d)))
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << FormatStr(f, d) << " scanned to " << f2 << "," << d2;
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
    if (ScanFormat(text.c_str(), &f, &d, 0xF80)) {
      ++accepted;
      ASSERT_TRUE(rescans(f, d)) << text;
    }
  }
  EXPECT_GT(accepted, 1000);
}

}  // namespace
