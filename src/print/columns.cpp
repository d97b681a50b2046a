#include "print/columns.h"

#include <algorithm>

#include "print/line_reader.h"
#include "print/text_class.h"

namespace vt::print {

std::vector<std::string> read_window(LineReader& reader) {
  std::vector<std::string> window;
  reader.rewind();
  std::string line;
  while (static_cast<int>(window.size()) < kWindowLines && !reader.at_end()) {
    reader.read(line);
    window.push_back(line);
    if (reader.cut()) break;
  }
  reader.rewind();
  return window;
}

// Whether every line below the header has a gap at offset p.
static bool gap_below(const std::vector<std::string>& window, size_t used, int header, size_t p) {
  for (size_t i = header + 1; i < used; ++i)
    if (window[i].size() <= p || !is_gap(window[i][p])) return false;
  return true;
}

Columns detect_columns(const std::vector<std::string>& window) {
  Columns c;
  c.starts.fill(-1);
  size_t used = window.size();
  while (used > 0 && window[used - 1].empty()) --used;
  if (used == 0) return c;

  int header = static_cast<int>(used) - 1;
  while (header > 0 && !is_blank_line(window[header - 1])) --header;
  c.header_line = header;
  c.header = window[header];

  const std::string& h = c.header;
  for (size_t i = 0; i < h.size() && c.count < kMaxColumns; ++i) {
    if (!is_gap(h[i])) continue;
    size_t p = i;
    while (p + 1 < h.size() && is_gap(h[p + 1])) ++p;
    if (gap_below(window, used, header, p)) {
      if (c.count == 0) c.starts[c.count++] = 0;
      if (c.count < kMaxColumns) c.starts[c.count++] = static_cast<int>(p + 1);
    }
    i = p;
  }

  // A column that starts on a gap or at the end of the header has no name.
  while (c.count > 0) {
    size_t s = static_cast<size_t>(c.starts[c.count - 1]);
    if (s < h.size() && !is_gap(h[s])) break;
    c.starts[--c.count] = -1;
  }
  return c;
}

std::string_view column_text(std::string_view line, const Columns& columns, int column) {
  if (column < 0 || column >= columns.count) return {};
  size_t start = static_cast<size_t>(columns.starts[column]);
  if (line.size() <= start) return {};
  std::string_view field = line.substr(start, kMaxFieldChars);
  if (column + 1 < columns.count) {
    size_t next = static_cast<size_t>(columns.starts[column + 1]);
    field = field.substr(0, std::min(field.size(), next - start));
  }
  return field;
}

}  // namespace vt::print
