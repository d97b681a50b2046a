// Exported column functions over C streams and caller buffers.
#include <algorithm>
#include <cstring>

#include "frame/no_throw.h"
#include "print/columns.h"
#include "print/sources.h"
#include "veltra/print.h"

using namespace vt::print;

int DetectColumns(FILE* stream, int* starts, int* header_line, char* header) {
  if (starts) std::fill(starts, starts + kMaxColumns, -1);
  if (header) header[0] = '\0';
  if (!stream || !starts) return 0;
  Columns c;
  // The window of lines is strings: out of memory finds no columns.
  if (!vt::frame::or_failure(false, [&] {
        FileSource source(stream);
        LineReader reader(source);
        c = detect_columns(read_window(reader));
        return true;
      }))
    return 0;
  std::copy(c.starts.begin(), c.starts.end(), starts);
  if (header_line) *header_line = c.header_line;
  if (header) {
    size_t n = std::min(c.header.size(), static_cast<size_t>(kMaxLineChars));
    std::memcpy(header, c.header.data(), n);
    header[n] = '\0';
  }
  return c.count;
}

char* GetColumnText(const char* line, const int* starts, int column, int count, char* field) {
  if (!field) return field;
  field[0] = '\0';
  if (!line || !starts || count < 1 || count > kMaxColumns) return field;
  Columns c;
  c.starts.fill(-1);
  for (int i = 0; i < count; ++i) {
    // Starts must rise from 0; anything else names no column.
    if (starts[i] < 0 || (i > 0 && starts[i] <= starts[i - 1])) return field;
    c.starts[i] = starts[i];
  }
  c.count = count;
  std::string_view text = column_text(line, c, column);
  if (!text.empty()) std::memcpy(field, text.data(), text.size());
  field[text.size()] = '\0';
  return field;
}
