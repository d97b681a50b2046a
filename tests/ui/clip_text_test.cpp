#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/clip_text.h"

namespace {

struct Grid : vt::ui::TableSource {
  std::vector<std::vector<std::string>> cells;
  std::vector<bool> marked;
  int cols = 2;
  int rows() override { return static_cast<int>(cells.size()); }
  int columns() override { return cols; }
  bool selected(int r) override { return marked[r]; }
  bool cell_text(int r, int c, char* buf, std::size_t size) override {
    if (cells[r][c] == "?") return false;
    std::snprintf(buf, size, "%s", cells[r][c].c_str());
    return true;
  }
};

}  // namespace

TEST(ClipText, TableRowsAndSelection) {
  Grid g;
  g.cells = {{"1", "x"}, {"22", "?"}, {"3", "z"}};
  g.marked = {true, false, true};
  struct Case {
    bool selected_only;
    const char* bytes;
  } cases[] = {
      // the unreadable cell leaves "22\t" without a line end
      {false, "1\tx\r\n22\t3\tz\r\n"},
      {true, "1\tx\r\n3\tz\r\n"},
  };
  for (const Case& c : cases) {
    std::string out;
    ASSERT_TRUE(vt::ui::collect_table_text(g, c.selected_only, out));
    EXPECT_EQ(c.bytes, out);
  }
  g.cells = {{std::string(400, 'q'), "e"}};
  g.marked = {true};
  std::string out;
  ASSERT_TRUE(vt::ui::collect_table_text(g, false, out));
  EXPECT_EQ(std::string(vt::ui::kClipCellBytes - 1, 'q') + "\te\r\n", out);
}

TEST(ClipText, BoundedLineStopsAtItsBuffer) {
  std::string line;
  vt::ui::append_bounded(line, std::string(1000, 'a').c_str());
  vt::ui::append_bounded(line, std::string(100, 'b').c_str());
  vt::ui::append_bounded(line, "c");
  EXPECT_EQ(std::string(1000, 'a') + std::string(23, 'b'), line);
}
