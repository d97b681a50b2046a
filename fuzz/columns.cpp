// Column detection over arbitrary file contents: the starts rise from 0, stay
// inside the header, never exceed the column table, and every field of every
// window line stays inside its line and the field limit.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "print/columns.h"
#include "print/sources.h"

using namespace vt::print;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TextSource source(std::string(reinterpret_cast<const char*>(data), size));
  LineReader reader(source);
  std::vector<std::string> window = read_window(reader);
  if (window.size() > static_cast<size_t>(kWindowLines)) std::abort();
  Columns c = detect_columns(window);
  if (c.count < 0 || c.count > kMaxColumns) std::abort();
  for (int i = 0; i < kMaxColumns; ++i) {
    if (i >= c.count) {
      if (c.starts[i] != -1) std::abort();
      continue;
    }
    if (i == 0 ? c.starts[0] != 0 : c.starts[i] <= c.starts[i - 1]) std::abort();
    if (static_cast<size_t>(c.starts[i]) >= c.header.size() + (i == 0)) std::abort();
  }
  for (const std::string& line : window)
    for (int col = 0; col < c.count; ++col) {
      std::string_view f = column_text(line, c, col);
      if (f.size() > static_cast<size_t>(kMaxFieldChars)) std::abort();
      if (!f.empty() && (f.data() < line.data() || f.data() + f.size() > line.data() + line.size())) std::abort();
    }
  return 0;
}
