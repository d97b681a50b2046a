// StrToHex and HexToStr: given cases, rejections, in-place use and a round
// trip over random bytes, with guard bytes after every output.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

#include "support/guarded_buffer.h"
#include "veltra/codec.h"

namespace {

using vt::test::GuardedBuffer;

TEST(Hex, StrToHexAndHexToStrCases) {
  struct {
    const char* src;
    int count;
    const char* hex;
  } to_hex[] = {{"AZ", -1, "415A"}, {"AZ", 1, "41"}, {"AZ", 0, ""}, {"AZ", -2, ""},
                {"AZ", 9, "415A"},  {"\x01\x7F\x80\xFF", -1, "017F80FF"}};
  for (const auto& c : to_hex) {
    GuardedBuffer out(std::strlen(c.hex) + 1);
    EXPECT_EQ(StrToHex(out.data(), c.src, c.count), out.data());
    EXPECT_STREQ(out.data(), c.hex) << c.src << " " << c.count;
    EXPECT_TRUE(out.guard_intact());
  }
  struct {
    const char* hex;
    const char* text;  // null: rejected
  } from_hex[] = {{"415a", "AZ"},  {"", ""},        {"fFeE", "\xFF\xEE"}, {"415", nullptr},
                  {"4G", nullptr}, {"4", nullptr},  {" 41", nullptr},     {"0x41", nullptr}};
  for (const auto& c : from_hex) {
    GuardedBuffer out(std::strlen(c.hex) / 2 + 1);
    EXPECT_EQ(HexToStr(out.data(), c.hex), c.text ? out.data() : nullptr) << c.hex;
    EXPECT_STREQ(out.data(), c.text ? c.text : "") << c.hex;
    EXPECT_TRUE(out.guard_intact());
  }
  char buf[8] = "x";
  EXPECT_EQ(StrToHex(nullptr, "A", -1), nullptr);
  EXPECT_EQ(StrToHex(buf, nullptr, -1), nullptr);
  EXPECT_EQ(HexToStr(nullptr, "41"), nullptr);
  EXPECT_EQ(HexToStr(buf, nullptr), nullptr);
  ASSERT_EQ(HexToStr(buf, "410042"), buf);  // a zero byte is written as it is
  EXPECT_EQ(std::string(buf, 4), std::string("A\0B\0", 4));
}

TEST(Hex, InPlaceRoundTripOfRandomBytes) {
  std::mt19937 rng(16);
  for (int round = 0; round < 200; ++round) {
    std::string text(rng() % 60, ' ');
    for (auto& ch : text) ch = char(1 + rng() % 255);
    GuardedBuffer buf(2 * text.size() + 1);
    std::strcpy(buf.data(), text.c_str());
    ASSERT_EQ(StrToHex(buf.data(), buf.data(), -1), buf.data());
    for (size_t i = 0; i < text.size(); ++i)  // each pair read back as a number
      EXPECT_EQ(std::stoul(std::string(buf.data() + 2 * i, 2), nullptr, 16), uint8_t(text[i]));
    ASSERT_EQ(HexToStr(buf.data(), buf.data()), buf.data());
    EXPECT_EQ(std::string(buf.data()), text);
    EXPECT_TRUE(buf.guard_intact());
  }
}

}  // namespace
