// Column descriptions of list views and tables: "title|width|align".
#pragma once

#include <cstddef>

namespace vt::ui {

enum class ColumnAlign { left, right, centre };

// A column string is at most this long (the string-table load is cut there).
constexpr std::size_t kColumnSpecChars = 79;
// Width of a column whose string gives none.
constexpr int kDefaultColumnWidth = 80;

struct ColumnSpec {
  char title[kColumnSpecChars + 1];
  int width;
  ColumnAlign align;
};

// Splits a column string at "|" (runs of "|" count as one separator, as do
// leading ones): the first piece is the title, the second the width as a
// decimal integer (no digits gives 0, out-of-range numbers saturate), the first letter of the
// third the alignment ("r" right, "c" centre, anything else left). Missing
// pieces keep the defaults: empty title, width 80, left. A null text or one
// longer than kColumnSpecChars is read up to that limit.
ColumnSpec parse_column_spec(const char* text);

}  // namespace vt::ui
