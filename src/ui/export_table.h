// The text of a list export: a title line, a header line and one line per
// row, every cell padded with blanks to its column's width and followed by
// the separator.
#pragma once

#include <cstddef>
#include <string>

namespace vt::ui {

// Bytes of one column title or cell read from the control (with terminator).
constexpr std::size_t kExportCellBytes = 1024;
// Columns beyond this many are not exported.
constexpr int kExportMaxColumns = 128;

// ";" when the file name contains ".csv" or ".CSV" (only these two
// spellings), else a blank. A null name gives a blank.
char export_separator(const char* file_name);

// What an export reads: a list view in the library, a plain table in tests.
class ExportSource {
 public:
  virtual ~ExportSource() = default;
  // Writes column `column`'s title into buf; false when there is no such
  // column.
  virtual bool column_title(int column, char* buf, std::size_t size) = 0;
  virtual int row_count() = 0;
  // Writes the cell's text into buf, terminated; an unreadable cell is empty.
  virtual void cell_text(int row, int column, char* buf, std::size_t size) = 0;
  // Asked after each row: true stops the export there.
  virtual bool break_requested() = 0;
};

// Builds the export text. Two passes over the source: the first measures
// each column (the longest of its title and its cells), the second writes.
// A break while measuring leaves only the title line; a break while writing
// ends the text after that row. Lines end with CR LF.
std::string build_export_text(ExportSource& source, char separator, const char* title_line);

}  // namespace vt::ui
