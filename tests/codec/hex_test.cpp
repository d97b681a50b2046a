// StrToHex and HexToStr: the given cases, rejections, in-place use and a
// round trip over random bytes, with guard bytes after every output.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

#include "support/guarded_buffer.h"
#include "veltra/codec.h"

namespace {

using vt::test::GuardedBuffer;

TEST(Hex, StrToHexCases) {
  struct Case {
    const char* src;
    int count;
    const char* hex;
  } cases[] = {
      {"AZ", -1, "415A"},        {"AZ", 1, "41"},   {"AZ", 0, ""},
      {"AZ", -2, ""},            {"", -1, ""},      {"AZ", 9, "415A"},  // stops at the end
      {"\x01\x7F\x80\xFF", -1, "017F80FF"},
  };
  for (const auto& c : cases) {
    size_t n = std::strlen(c.hex);
    GuardedBuffer out(n + 1);
    ASSERT_EQ(StrToHex(out.data(), c.src, c.count), out.data());
    EXPECT_STREQ(out.data(), c.hex) << c.src << " " << c.count;
    EXPECT_TRUE(out.guard_intact()) << c.src << " " << c.count;
  }
  char buf[8] = "x";
  EXPECT_EQ(StrToHex(nullptr, "A", -1), nullptr);
  EXPECT_EQ(StrToHex(buf, nullptr, -1), nullptr);
}

TEST(Hex, HexToStrCases) {
  struct Case {
    const char* hex;
    const char* text;  // null: rejected
  } cases[] = {
      {"415a", "AZ"}, {"415A", "AZ"}, {"", ""},     {"415", nullptr}, {"4G", nullptr},
      {"4", nullptr}, {"G4", nullptr}, {" 41", nullptr}, {"41 ", nullptr}, {"0x41", nullptr},
      {"fFeE", "\xFF\xEE"},
  };
  for (const auto& c : cases) {
    GuardedBuffer out(std::strlen(c.hex) / 2 + 1);
    char* r = HexToStr(out.data(), c.hex);
    if (c.text) {
      EXPECT_EQ(r, out.data()) << c.hex;
      EXPECT_STREQ(out.data(), c.text) << c.hex;
    } else {
      EXPECT_EQ(r, nullptr) << c.hex;
      EXPECT_STREQ(out.data(), "") << c.hex;
    }
    EXPECT_TRUE(out.guard_intact()) << c.hex;
  }
  char buf[4] = "x";
  EXPECT_EQ(HexToStr(nullptr, "41"), nullptr);
  EXPECT_EQ(HexToStr(buf, nullptr), nullptr);
}

TEST(Hex, ZeroByteIsWrittenAndEndsTheText) {
  char out[4];
  std::memset(out, 'x', sizeof out);
  ASSERT_EQ(HexToStr(out, "410042"), out);
  EXPECT_EQ(std::string(out, 3), std::string("A\0B", 3));
  EXPECT_EQ(out[3], '\0');
}

TEST(Hex, InPlaceRoundTripOfRandomBytes) {
  std::mt19937 rng(16);
  for (int round = 0; round < 200; ++round) {
    std::string text(rng() % 60, ' ');
    for (auto& ch : text) ch = static_cast<char>(1 + rng() % 255);
    GuardedBuffer buf(2 * text.size() + 1);
    std::memcpy(buf.data(), text.c_str(), text.size() + 1);
    ASSERT_EQ(StrToHex(buf.data(), buf.data(), -1), buf.data());
    ASSERT_EQ(std::strlen(buf.data()), 2 * text.size());
    for (size_t i = 0; i < text.size(); ++i) {  // each pair read as a number
      auto byte = static_cast<unsigned char>(text[i]);
      EXPECT_EQ(std::stoul(std::string(buf.data() + 2 * i, 2), nullptr, 16), byte);
    }
    ASSERT_EQ(HexToStr(buf.data(), buf.data()), buf.data());
    EXPECT_EQ(std::string(buf.data()), text);
    EXPECT_TRUE(buf.guard_intact());
  }
}

}  // namespace
