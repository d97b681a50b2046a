#include "ui/clip_text.h"

#include <cstring>
#include <new>
#include <vector>

namespace vt::ui {

void append_bounded(std::string& line, const char* text) {
  const std::size_t room = kClipLineBytes - 1;
  if (line.size() >= room) return;
  line.append(text, strnlen(text, room - line.size()));
}

bool collect_tree_text(TreeSource& tree, std::string& out) try {
  // An explicit stack of the items whose siblings are still to come keeps
  // the walk safe at any depth.
  std::vector<std::uintptr_t> path;
  char text[kTreeItemChars + 1];
  std::uintptr_t item = tree.first_root();
  while (item) {
    text[0] = '\0';
    if (!tree.item_text(item, text, sizeof text)) return false;
    text[kTreeItemChars] = '\0';
    out.append(path.size(), '\t');
    out += text;
    out += "\r\n";

    std::uintptr_t child = tree.first_child(item);
    if (child) {
      path.push_back(item);
      item = child;
      continue;
    }
    item = tree.next_sibling(item);
    while (!item && !path.empty()) {
      item = tree.next_sibling(path.back());
      path.pop_back();
    }
  }
  return true;
} catch (const std::bad_alloc&) {
  return false;
}

bool collect_table_text(TableSource& table, bool selected_only, std::string& out) {
  try {
    const int rows = table.rows();
    const int columns = table.columns();
    char cell[kClipCellBytes];
    for (int r = 0; r < rows; ++r) {
      if (selected_only && !table.selected(r)) continue;
      for (int c = 0; c < columns; ++c) {
        cell[0] = '\0';
        if (!table.cell_text(r, c, cell, sizeof cell)) break;
        cell[sizeof cell - 1] = '\0';
        out += cell;
        out += c + 1 < columns ? "\t" : "\r\n";
      }
    }
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

}  // namespace vt::ui
