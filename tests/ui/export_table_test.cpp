#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "ui/export_table.h"

namespace {

// A table held in vectors, with an optional break after a given number of
// rows visited.
struct Table : vt::ui::ExportSource {
  std::vector<std::string> titles;
  std::vector<std::vector<std::string>> cells;
  int break_after = -1;
  int visited = 0;

  bool column_title(int c, char* buf, std::size_t size) override {
    if (c >= static_cast<int>(titles.size())) return false;
    std::snprintf(buf, size, "%s", titles[c].c_str());
    return true;
  }
  int row_count() override { return static_cast<int>(cells.size()); }
  void cell_text(int r, int c, char* buf, std::size_t size) override {
    std::snprintf(buf, size, "%s", cells[r][c].c_str());
  }
  bool break_requested() override { return ++visited == break_after; }
};

}  // namespace

TEST(ExportTable, SeparatorFollowsOnlyTheTwoCsvSpellings) {
  struct Case {
    const char* name;
    char sep;
  } cases[] = {{"daten.csv", ';'}, {"DATEN.CSV", ';'}, {"daten.txt", ' '}, {"DATEN.Csv", ' '},
               {"x.csv.bak", ';'}, {"csv", ' '},       {nullptr, ' '}};
  for (const Case& c : cases) EXPECT_EQ(c.sep, vt::ui::export_separator(c.name)) << c.name;
}

TEST(ExportTable, PadsEveryCellToItsColumnAndEndsEachWithTheSeparator) {
  Table t;
  t.titles = {"A", "Wert"};
  t.cells = {{"1", "x"}, {"22", "yy"}};
  struct Case {
    char sep;
    const char* bytes;
  } cases[] = {
      {';', "Export T, 01.02.2024 10:11:12;\r\n\r\nA ;Wert;\r\n1 ;x   ;\r\n22;yy  ;\r\n"},
      {' ', "Export T, 01.02.2024 10:11:12 \r\n\r\nA  Wert \r\n1  x    \r\n22 yy   \r\n"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.bytes, vt::ui::build_export_text(t, c.sep, "Export T, 01.02.2024 10:11:12"));
}

TEST(ExportTable, BreakStopsAfterTheRowItCameWith) {
  Table t;
  t.titles = {"N"};
  t.cells = {{"1"}, {"2"}, {"3"}};
  t.break_after = 2;  // during measuring: only the title line remains
  EXPECT_EQ("T;\r\n\r\n", vt::ui::build_export_text(t, ';', "T"));
  t.visited = 0;
  t.break_after = 5;  // three rows measured, then a break after the second written row
  EXPECT_EQ("T;\r\n\r\nN;\r\n1;\r\n2;\r\n", vt::ui::build_export_text(t, ';', "T"));
}

TEST(ExportTable, ColumnsStopAtTheLimitAndLongCellsAtTheBuffer) {
  Table t;
  for (int i = 0; i < 200; ++i) t.titles.push_back("c");
  t.cells = {std::vector<std::string>(200, "")};
  t.cells[0][0] = std::string(5000, 'z');
  std::string text = vt::ui::build_export_text(t, ';', "");
  std::string header = text.substr(5, text.find("\r\n", 5) - 5);  // after ";\r\n\r\n"
  // 128 columns, the first as wide as the cut cell
  EXPECT_EQ(static_cast<std::size_t>(vt::ui::kExportCellBytes - 1 + 1 + 127 * 2), header.size());
}
