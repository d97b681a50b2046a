// The clipboard texts of lists, tables and trees.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace vt::ui {

// Bytes of one cell copied from a list box, list view or table (with
// terminator); longer texts are cut.
constexpr std::size_t kClipCellBytes = 261;
// Bytes of one whole list-view line of the simple copy (with terminator).
constexpr std::size_t kClipLineBytes = 1024;
// Characters of one tree item.
constexpr std::size_t kTreeItemChars = 260;

// Appends text to a line that may hold at most kClipLineBytes - 1
// characters; what does not fit is cut.
void append_bounded(std::string& line, const char* text);

// A tree walked depth first. Items are opaque nonzero handles; 0 means none.
class TreeSource {
 public:
  virtual ~TreeSource() = default;
  virtual std::uintptr_t first_root() = 0;
  virtual std::uintptr_t first_child(std::uintptr_t item) = 0;
  virtual std::uintptr_t next_sibling(std::uintptr_t item) = 0;
  // Writes the item's text into buf (size bytes, terminated); false when the
  // item cannot be read.
  virtual bool item_text(std::uintptr_t item, char* buf, std::size_t size) = 0;
};

// The tree as text: each item (cut at kTreeItemChars) on its own line,
// indented by one tab per level of depth however deep, in the order item,
// its children, its next sibling. False when an item cannot be read (out is
// then incomplete and must not be used), or when memory runs out.
bool collect_tree_text(TreeSource& tree, std::string& out);

// A table of rows and columns, some rows possibly selected.
class TableSource {
 public:
  virtual ~TableSource() = default;
  virtual int rows() = 0;
  virtual int columns() = 0;
  virtual bool selected(int row) = 0;
  // Writes the cell's text into buf (size bytes, terminated); false when the
  // cell cannot be read.
  virtual bool cell_text(int row, int column, char* buf, std::size_t size) = 0;
};

// The table as text: per row each cell (cut at kClipCellBytes - 1
// characters) followed by a tab, the last by CR LF instead; only selected
// rows when selected_only. A cell that cannot be read abandons the rest of
// its row (its earlier cells stay, without a line end). Returns false when
// memory runs out.
bool collect_table_text(TableSource& table, bool selected_only, std::string& out);

}  // namespace vt::ui
