// The list helpers' texts over arbitrary input: a column string gives a
// bounded title and a known alignment; an export of input cut into cells has
// every line as long as the header line; an edit check never reads past its
// text, and an accepted ranged number lies in its range.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "config/regitem_rules.h"
#include "ui/column_spec.h"
#include "ui/export_table.h"

namespace {

// Cells are the input's pieces between newlines; lines of cells between
// '\x01' bytes; the first line holds the titles.
struct Cells : vt::ui::ExportSource {
  std::vector<std::vector<std::string>> rows;
  bool column_title(int c, char* buf, std::size_t size) override {
    if (rows.empty() || c >= static_cast<int>(rows[0].size())) return false;
    std::snprintf(buf, size, "%s", rows[0][c].c_str());
    return true;
  }
  int row_count() override { return rows.empty() ? 0 : static_cast<int>(rows.size()) - 1; }
  void cell_text(int r, int c, char* buf, std::size_t size) override {
    const auto& row = rows[r + 1];
    std::snprintf(buf, size, "%s", c < static_cast<int>(row.size()) ? row[c].c_str() : "");
  }
  bool break_requested() override { return false; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  std::string first = text.substr(0, text.find('\0'));

  vt::ui::ColumnSpec spec = vt::ui::parse_column_spec(first.c_str());
  if (std::strlen(spec.title) > vt::ui::kColumnSpecChars || std::strchr(spec.title, '|')) std::abort();

  for (std::uint32_t type : {vt::config::kTypeString, vt::config::kTypeNumber}) {
    std::int32_t n = 0;
    bool ok = vt::config::accept_edit(first.c_str(), type, -50, 50, &n);
    if (ok && type == vt::config::kTypeNumber && (n < -50 || n > 50)) std::abort();
    if (ok && type == vt::config::kTypeString && first.size() > 50) std::abort();
  }

  Cells cells;
  cells.rows.emplace_back();
  std::string piece;
  for (char c : first) {
    if (c == '\n' || c == '\x01') {
      cells.rows.back().push_back(piece);
      piece.clear();
      if (c == '\x01') cells.rows.emplace_back();
    } else if (c != '\r') {
      piece += c;
    }
  }
  cells.rows.back().push_back(piece);
  std::string out = vt::ui::build_export_text(cells, ';', "T");
  // After the title line and the empty line, all lines have the same length.
  std::size_t pos = out.find("\r\n\r\n");
  if (pos == std::string::npos) std::abort();
  pos += 4;
  std::size_t width = std::string::npos;
  while (pos < out.size()) {
    std::size_t end = out.find("\r\n", pos);
    if (end == std::string::npos) std::abort();
    if (width == std::string::npos) width = end - pos;
    else if (end - pos != width) std::abort();
    pos = end + 2;
  }
  return 0;
}
