#include "ui/export_table.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace vt::ui {

char export_separator(const char* file_name) {
  if (file_name && (std::strstr(file_name, ".csv") || std::strstr(file_name, ".CSV"))) return ';';
  return ' ';
}

namespace {

void append_cell(std::string& out, const char* text, std::size_t width, char separator) {
  std::size_t n = std::strlen(text);
  out.append(text, n);
  if (n < width) out.append(width - n, ' ');
  out += separator;
}

}  // namespace

std::string build_export_text(ExportSource& source, char separator, const char* title_line) {
  std::string out;
  out += title_line ? title_line : "";
  out += separator;
  out += "\r\n\r\n";

  // Measuring pass: the titles fix the column count, every cell widens its
  // column.
  std::vector<std::string> titles;
  char buf[kExportCellBytes];
  while (static_cast<int>(titles.size()) < kExportMaxColumns) {
    buf[0] = '\0';
    if (!source.column_title(static_cast<int>(titles.size()), buf, sizeof buf)) break;
    buf[sizeof buf - 1] = '\0';
    titles.emplace_back(buf);
  }
  const int columns = static_cast<int>(titles.size());
  const int rows = source.row_count();
  std::vector<std::size_t> widths(columns);
  for (int c = 0; c < columns; ++c) widths[c] = titles[c].size();
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < columns; ++c) {
      buf[0] = '\0';
      source.cell_text(r, c, buf, sizeof buf);
      buf[sizeof buf - 1] = '\0';
      widths[c] = std::max(widths[c], std::strlen(buf));
    }
    if (source.break_requested()) return out;
  }

  // Writing pass.
  if (columns > 0) {
    for (int c = 0; c < columns; ++c) append_cell(out, titles[c].c_str(), widths[c], separator);
    out += "\r\n";
  }
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < columns; ++c) {
      buf[0] = '\0';
      source.cell_text(r, c, buf, sizeof buf);
      buf[sizeof buf - 1] = '\0';
      append_cell(out, buf, widths[c], separator);
    }
    if (columns > 0) out += "\r\n";
    if (source.break_requested()) break;
  }
  return out;
}

}  // namespace vt::ui
