#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "ui/clip_text.h"

namespace {

// A tree as parent links: item i (1-based) has parent[i] (0 = top level),
// siblings in index order.
struct Tree : vt::ui::TreeSource {
  std::vector<std::uintptr_t> parent{0};
  std::vector<std::string> text{""};
  std::uintptr_t unreadable = 0;

  std::uintptr_t add(std::uintptr_t p, std::string t) {
    parent.push_back(p);
    text.push_back(std::move(t));
    return parent.size() - 1;
  }
  std::uintptr_t next_with_parent(std::uintptr_t p, std::uintptr_t after) {
    for (std::uintptr_t i = after + 1; i < parent.size(); ++i)
      if (parent[i] == p) return i;
    return 0;
  }
  std::uintptr_t first_root() override { return next_with_parent(0, 0); }
  std::uintptr_t first_child(std::uintptr_t item) override { return next_with_parent(item, item); }
  std::uintptr_t next_sibling(std::uintptr_t item) override {
    return next_with_parent(parent[item], item);
  }
  bool item_text(std::uintptr_t item, char* buf, std::size_t size) override {
    if (item == unreadable) return false;
    std::snprintf(buf, size, "%s", text[item].c_str());
    return true;
  }
};

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

TEST(ClipText, TreeLinesAreIndentedByDepthInDepthFirstOrder) {
  Tree t;
  auto r = t.add(0, "R");
  auto a = t.add(r, "A");
  t.add(r, "B");
  t.add(a, "C");  // added last, but shown under A before B
  t.add(0, "S");
  std::string out;
  ASSERT_TRUE(vt::ui::collect_tree_text(t, out));
  EXPECT_EQ("R\r\n\tA\r\n\t\tC\r\n\tB\r\nS\r\n", out);

  t.unreadable = 4;
  out.clear();
  EXPECT_FALSE(vt::ui::collect_tree_text(t, out));
}

TEST(ClipText, DeepTreesKeepOneTabPerLevelAndLongItemsAreCut) {
  Tree t;
  std::uintptr_t p = 0;
  const int depth = 40;
  for (int i = 0; i < depth; ++i) p = t.add(p, std::to_string(i));
  t.add(0, std::string(1000, 'w'));
  std::string expected;
  for (int i = 0; i < depth; ++i) expected += std::string(i, '\t') + std::to_string(i) + "\r\n";
  expected += std::string(vt::ui::kTreeItemChars, 'w') + "\r\n";
  std::string out;
  ASSERT_TRUE(vt::ui::collect_tree_text(t, out));
  EXPECT_EQ(expected, out);
}

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
