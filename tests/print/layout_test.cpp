// Word wrap, page flow of both layouts, table measuring and font fitting,
// with fixed character widths (10 pixels, "W" 20).
#include <gtest/gtest.h>

#include "fixed_metrics.h"
#include "print/columns.h"
#include "print/pagers.h"
#include "print/sources.h"
#include "print/wrap.h"

using namespace vt::print;
using namespace vt::print::test;

namespace {
using Texts = std::vector<std::string>;

Texts wrap(const std::string& line, int width) {
  FixedMeasure m;
  Texts out;
  for (std::string_view p : wrap_line(line, width, m)) out.emplace_back(p);
  return out;
}
}  // namespace

TEST(Wrap, Pieces) {
  struct Case {
    const char* what;
    std::string line;
    int width;
    Texts pieces;
  } cases[] = {
      {"fits", "alpha beta", 100, {"alpha beta"}},
      {"breaks after a word, blanks dropped", "alpha beta gamma", 100, {"alpha beta", "gamma"}},
      {"exact fit", "abcde fghij", 110, {"abcde fghij"}},
      {"one pixel short", "abcde fghij", 109, {"abcde", "fghij"}},
      {"indentation kept", "   ab cd", 60, {"   ab", "cd"}},
      {"wide letters count", "WWW a", 60, {"WWW", "a"}},
      {"a word wider than the line breaks by characters", "abcdefghijk", 40, {"abcd", "efgh", "ijk"}},
      {"tab to the next stop of 80 pixels", "a\tb", 100, {"a\tb"}},
      {"tab past the width breaks", "abc\tdefghijk", 100, {"abc", "defghijk"}},
      {"prefix pair counts as its letter", "A&BCDE", 50, {"A&BCDE"}},
      {"double ampersand is one character", "A&&BCD", 50, {"A&&BCD"}},
      {"prefix pair is not split", "ab&cd", 30, {"ab&c", "d"}},
      {"blank line: nothing", " \t \r", 100, {}},
      {"code page letters are text", "\xE4", 100, {"\xE4"}},
      {"trailing blanks are not drawn", "ab   ", 100, {"ab"}},
  };
  for (const Case& c : cases) EXPECT_EQ(wrap(c.line, c.width), c.pieces) << c.what;
}

TEST(PlainPager, PagesAndNumbers) {
  // Page of 100 x 100 pixels, lines 10 high: with page numbers, 8 rows of text.
  FixedMeasure m;
  RecordingCanvas canvas;
  PlainPager pager(canvas, m, PageBox{0, 100, 0, 100}, 10, true);
  for (int i = 0; i < 7; ++i) pager.print_line("line " + std::to_string(i));
  // 3 printed lines, 1 row left on page 1: moves whole to page 2.
  pager.print_line("aaaaaaaaa bbbbbbbbb ccccccccc");
  pager.print_line("");
  EXPECT_EQ(canvas.pages, 2);
  EXPECT_EQ(canvas.ended, 1);
  EXPECT_EQ(canvas.page_texts(1),
            Texts({"- 1 -", "line 0", "line 1", "line 2", "line 3", "line 4", "line 5", "line 6"}));
  EXPECT_EQ(canvas.page_texts(2), Texts({"- 2 -", "aaaaaaaaa", "bbbbbbbbb", "ccccccccc"}));
  EXPECT_EQ(canvas.texts[0].align, Align::center);
  EXPECT_EQ(canvas.texts[1].box.top, 20);  // one empty line under the number
}

TEST(PlainPager, LineTallerThanAPage) {
  const PageBox box{0, 40, 0, 50};  // 4 characters a row, 5 rows a page
  FixedMeasure m;
  RecordingCanvas canvas;
  PlainPager pager(canvas, m, box, 10, false);
  pager.print_line("head");
  pager.print_line(std::string(40, 'x'));  // 10 rows: clipped, on a page of its own
  pager.print_line("tail");
  EXPECT_EQ(canvas.pages, 3);
  EXPECT_EQ(canvas.page_texts(1), Texts{"head"});
  EXPECT_EQ(canvas.page_texts(2).size(), 5u);
  EXPECT_EQ(canvas.page_texts(3), Texts{"tail"});
  for (const Drawn& d : canvas.texts) EXPECT_LE(d.box.bottom, box.bottom);
}

TEST(Table, MeasuresAlignsAndFits) {
  TextSource src("Messwerte\n\nName   Wert  Einheit\nDruck   12.5 bar\nT      180   C\n");
  LineReader reader(src);
  Columns cols = detect_columns(read_window(reader));
  ASSERT_EQ(cols.count, 3);
  FixedMeasure m;
  const int d = 10;
  TableMetrics t = measure_table(reader, cols, m, d);
  EXPECT_EQ(t.title, "Messwerte");
  // header: ("Name" 40 + 10) * 13 / 10 = 65; "Wert" (50 + 10) * 1.3 = 78 (W is wide);
  // "Einheit" (70 + 10) * 1.3 = 104;
  // data "Druck" 50 + 10, "12.5" 40 + 10, "bar" 40: headers are wider.
  EXPECT_EQ(t.widths, (std::vector<int>{65, 78, 104}));
  EXPECT_EQ(t.align, (std::vector<Align>{Align::left, Align::right, Align::left}));
  EXPECT_EQ(t.table_width, 247);

  // Fitting: the printer's digit is -h / 3 pixels for an odd height h from
  // -81 to -31; the largest height whose scaled width 247 * digit / 10 fits
  // in the available width less 8 is chosen, none below -31.
  auto digit = [](int h) { return -h / 3; };
  for (auto [avail, want] : {std::pair{100, 0}, {300, -35}, {500, -59}, {700, -81}, {2000, -81}})
    EXPECT_EQ(fit_table_height(247, d, avail, digit), want) << avail;
}

TEST(TablePager, HeaderOnEveryPage) {
  TextSource src("T\n\nA   B\n1   2\n3   4\n5   6\n7   8\n");
  LineReader reader(src);
  Columns cols = detect_columns(read_window(reader));
  ASSERT_EQ(cols.count, 2);
  FixedMeasure m;
  TableMetrics t = measure_table(reader, cols, m, 10);
  TablePage page;
  page.box = {0, 400, 0, 60};  // 6 rows: header 2, column names 1, data 3
  page.row_height = 10;
  page.gap = 5;
  page.flags = kPageNumbers | kJobName | kTitle | kFrame;
  page.job_name = "Job";
  page.page_word = "Seite";
  RecordingCanvas canvas;
  TablePager pager(canvas, cols, t, page);
  for (const char* l : {"1   2", "3   4", "5   6", "7   8"}) pager.print_line(l);
  EXPECT_EQ(canvas.pages, 2);
  EXPECT_EQ(canvas.frames, 2);
  EXPECT_EQ(canvas.page_texts(1), Texts({"T", "Seite 1", "Job", "A", "B", "1", "2", "3", "4"}));
  EXPECT_EQ(canvas.page_texts(2), Texts({"T", "Seite 2", "Job", "A", "B", "5", "6", "7", "8"}));
  // Column names bold, rows regular; a rule under the page header and one
  // under the column names on each page.
  EXPECT_TRUE(canvas.texts[3].bold);
  EXPECT_FALSE(canvas.texts[5].bold);
  EXPECT_EQ(canvas.rules, (std::vector<std::pair<int, int>>{{1, 22}, {1, 32}, {2, 22}, {2, 32}}));
  EXPECT_EQ(canvas.texts[1].align, Align::right);
  EXPECT_EQ(canvas.texts[5].box.right - canvas.texts[5].box.left, t.widths[0] - 5);

  // The title alone asks for no page header: column names come first.
  page.flags = kTitle;
  RecordingCanvas plain_header;
  TablePager titled(plain_header, cols, t, page);
  titled.print_line("1   2");
  EXPECT_EQ(plain_header.page_texts(1), Texts({"A", "B", "1", "2"}));
  EXPECT_EQ(plain_header.texts[0].box.top, 0);
}
