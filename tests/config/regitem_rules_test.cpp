#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "config/regitem_rules.h"

using namespace vt::config;

TEST(RegItemRules, EditsAreCheckedByTypeAndRange) {
  struct Case {
    const char* text;
    std::uint32_t type;
    std::int32_t min, max;
    bool accepted;
    std::int32_t number;
  } cases[] = {
      {"42", kTypeNumber, 0, 100, true, 42},
      {"150", kTypeNumber, 0, 100, false, 0},
      {"100", kTypeNumber, 0, 100, true, 100},
      {"-1", kTypeNumber, 0, 100, false, 0},
      {"  7xyz", kTypeNumber, 0, 0, true, 7},  // strtol: blanks skipped, stops at x
      {"abc", kTypeNumber, 0, 0, false, 0},
      {"", kTypeNumber, 0, 0, false, 0},
      {"-2147483648", kTypeNumber, 5, 5, true, INT32_MIN},  // min = max: no range
      {"99999999999", kTypeNumber, 0, 0, true, INT32_MAX},  // saturates like a 32-bit long
      {"0x10", kTypeNumber, -5, 5, true, 0},
      {"abcde", kTypeString, 2, 8, true, 0},
      {"abcdefghi", kTypeString, 2, 8, false, 0},
      {"a", kTypeString, 2, 8, false, 0},
      {"", kTypeString, 0, 0, true, 0},
      {"x", 3, 0, 0, false, 0},
      {nullptr, kTypeString, 0, 0, false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text ? c.text : "(null)");
    std::int32_t n = 0;
    EXPECT_EQ(c.accepted, accept_edit(c.text, c.type, c.min, c.max, &n));
    if (c.accepted && c.type == kTypeNumber) {
      EXPECT_EQ(c.number, n);
    }
  }
  EXPECT_TRUE(accept_edit(std::string(260, 's').c_str(), kTypeString, 0, 0, nullptr));
  EXPECT_FALSE(accept_edit(std::string(261, 's').c_str(), kTypeString, 0, 0, nullptr));
  EXPECT_TRUE(accept_edit(std::string(300, 's').c_str(), kTypeString, 0, 400, nullptr));
}

TEST(RegItemRules, RangeAndInfoLineTexts) {
  char buf[kRuleTextBytes];
  const struct {
    std::int32_t min, max;
    const char* text;
  } ranges[] = {{0, 100, "0...100"}, {7, 7, "-"}, {INT32_MIN, INT32_MAX, "-2147483648...2147483647"}};
  for (const auto& r : ranges) {
    range_text(buf, sizeof buf, r.min, r.max);
    EXPECT_STREQ(r.text, buf);
  }

  // the roots and types the dialog test does not reach
  info_line_text(buf, sizeof buf, 0, kRootUsers, "S", "N", kTypeNumber, 0, 0);
  EXPECT_STREQ("HKUS\\S: N", buf);
  info_line_text(buf, sizeof buf, 0, 0x80000000u, "S", "N", kTypeNumber, 0, 0);
  EXPECT_STREQ("?UNKNOWN?\\S: N", buf);
  info_line_text(buf, sizeof buf, 1, kRootUsers, "S", "N", 7, 0, 0);
  EXPECT_STREQ("?UNKNOWN?", buf);
  char tiny[5];
  info_line_text(tiny, sizeof tiny, 0, kRootCurrentUser, "Software", "Level", kTypeNumber, 0, 0);
  EXPECT_STREQ("HKCU", tiny);
}

TEST(RegItemRules, TextOrIdFields) {
  const std::pair<std::uint32_t, TextOrId> cases[] = {
      {0, TextOrId::none},           {0xFFFFFFFFu, TextOrId::none},     {130, TextOrId::string_id},
      {0xFFFF, TextOrId::string_id}, {0x10000, TextOrId::address}};
  for (const auto& [value, kind] : cases) EXPECT_EQ(kind, classify_text_or_id(value)) << value;
}
