// Column detection and field extraction, over whole example files.
#include <gtest/gtest.h>

#include <cstring>

#include "print/columns.h"
#include "print/sources.h"
#include "support/file_text.h"
#include "veltra/print.h"

using namespace vt::print;

namespace {

std::vector<int> starts_of(const std::string& text, int* header = nullptr) {
  TextSource src(text);
  LineReader reader(src);
  Columns c = detect_columns(read_window(reader));
  if (header) *header = c.header_line;
  return std::vector<int>(c.starts.begin(), c.starts.begin() + c.count);
}

std::string read_file(const char* name) {
  return vt::test::file_text(std::string(VELTRA_TEST_DATA) + "/print/data/" + name, "");
}

}  // namespace

TEST(Columns, DetectsHeaderAndStarts) {
  struct Case {
    const char* what;
    std::string text;
    std::vector<int> starts;
    int header;
  } cases[] = {
      {"title, empty line, header, rows", read_file("table.txt"), {0, 12, 22}, 2},
      {"a gap not blank in every row is no column",
       "Name  Wert Einheit\nab    1.5  V\nabcdefgh 2 A\n", {0, 11}, 0},
      {"a row ending before the gap prevents it", "Name  Wert\nab\n", {}, 0},
      {"header alone: every run of blanks", "A  B\tC   D\n", {0, 3, 5, 9}, 0},
      {"trailing blanks make no empty column", "Name  Wert   \n", {0, 6}, 0},
      {"header after the last blank line of the window", "junk line\n  \nKey Val\nk   v\n", {0, 4}, 2},
      {"empty lines at the end do not move the header", "\nA B\nx y\n\n\n", {0, 2}, 1},
      {"no gaps: one column, no table", "OneWordOnly\nSecondLine\n", {}, 0},
      {"empty file", "", {}, -1},
      {"CR LF lines read like LF lines", "A  B\r\nx  y\r\n", {0, 3}, 0},
  };
  for (const Case& c : cases) {
    int header = -2;
    std::vector<int> got = starts_of(c.text, &header);
    if (got.size() == 1) got.clear();  // one column is no table either way
    EXPECT_EQ(got, c.starts) << c.what;
    EXPECT_EQ(header, c.header) << c.what;
  }
}

TEST(Columns, LimitsAndFields) {
  // 200 one-letter names: only the first 128 starts are kept.
  std::string wide;
  for (int i = 0; i < 200; ++i) wide += "x ";
  std::vector<int> s = starts_of(wide + "\n");
  ASSERT_EQ(s.size(), static_cast<size_t>(kMaxColumns));
  for (int i = 0; i < kMaxColumns; ++i) EXPECT_EQ(s[i], 2 * i);

  // Fields through the exported function, against substrings of the line.
  const int starts[3] = {0, 6, 300};
  const std::string long_line = "abcde fghij" + std::string(400, 'z');
  struct Case {
    std::string line;
    int column;
    std::string field;
  } cases[] = {
      {"Name  Wert", 0, "Name  "},
      {"Name  Wert", 1, "Wert"},
      {"Name", 1, ""},
      {"Name  ", 1, ""},
      {long_line, 1, long_line.substr(6, 255)},  // cut at 255 before the next start
      {long_line, 2, long_line.substr(300, 255)},
      {"x", 3, ""},
      {"x", -1, ""},
  };
  for (const Case& c : cases) {
    char field[256];
    std::memset(field, '#', sizeof field);
    EXPECT_EQ(GetColumnText(c.line.c_str(), starts, c.column, 3, field), field);
    EXPECT_EQ(std::string(field), c.field) << c.line.substr(0, 20) << " col " << c.column;
  }
  const int equal[2] = {0, 0};  // starts that do not rise give empty fields
  char field[256] = "keep";
  EXPECT_STREQ(GetColumnText("a b", equal, 1, 2, field), "");
}

TEST(Columns, DetectColumnsOnAStream) {
  const std::string text = "Messwerte\n\nName  Wert\nDruck 12.5\n";
  FILE* f = std::tmpfile();
  ASSERT_NE(f, nullptr);
  std::fwrite(text.data(), 1, text.size(), f);
  int starts[kMaxColumns];
  int header = -1;
  char line[kLineBufferSize];
  EXPECT_EQ(DetectColumns(f, starts, &header, line), 2);
  EXPECT_EQ(std::vector<int>(starts, starts + 3), std::vector<int>({0, 6, -1}));
  EXPECT_EQ(header, 2);
  EXPECT_EQ(std::string(line), "Name  Wert");
  EXPECT_EQ(std::ftell(f), 0);  // rewound for the next reader
  std::fclose(f);
  EXPECT_EQ(DetectColumns(nullptr, starts, &header, line), 0);
}
