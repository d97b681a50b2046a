#include <gtest/gtest.h>

#include <string>

#include "ui/column_spec.h"

using vt::ui::ColumnAlign;
using vt::ui::parse_column_spec;

TEST(ColumnSpec, SplitsTitleWidthAndAlignment) {
  struct Case {
    const char* text;
    const char* title;
    int width;
    ColumnAlign align;
  } cases[] = {
      {"Wert|128", "Wert", 128, ColumnAlign::left},
      {"Betrag|90|r", "Betrag", 90, ColumnAlign::right},
      {"Name", "Name", 80, ColumnAlign::left},
      {"Mitte|50|center", "Mitte", 50, ColumnAlign::centre},
      {"Links|50|x", "Links", 50, ColumnAlign::left},
      {"Groß|50|R", "Groß", 50, ColumnAlign::left},  // only lower-case letters count
      {"A|||60||c", "A", 60, ColumnAlign::centre},   // runs of "|" are one separator
      {"|70", "70", 80, ColumnAlign::left},          // leading "|" is skipped like the others
      {"T|abc", "T", 0, ColumnAlign::left},          // no digits: width 0
      {"T|99999999999999", "T", 2147483647, ColumnAlign::left},
      {"", "", 80, ColumnAlign::left},
      {nullptr, "", 80, ColumnAlign::left},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text ? c.text : "(null)");
    auto spec = parse_column_spec(c.text);
    EXPECT_STREQ(c.title, spec.title);
    EXPECT_EQ(c.width, spec.width);
    EXPECT_EQ(c.align, spec.align);
  }
}

TEST(ColumnSpec, LongTextIsCutAtTheLoadLimit) {
  std::string longer(200, 'x');
  auto spec = parse_column_spec((longer + "|10").c_str());
  EXPECT_EQ(std::string(vt::ui::kColumnSpecChars, 'x'), spec.title);
  EXPECT_EQ(80, spec.width);  // the width lay beyond the limit
}
