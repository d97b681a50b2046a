// Page flow of the two print layouts: each takes the file's lines one at a
// time and draws them on a Canvas, opening and closing pages as they fill.
// The job around them (document start and end, abort, message pumping) is
// the printer's.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "print/canvas.h"
#include "print/margins.h"
#include "print/table_layout.h"

namespace vt::print {

// Layout flags of the print layout record.
enum LayoutFlag : uint16_t {
  kPageNumbers = 0x01,
  kFrame = 0x02,
  kJobName = 0x04,
  kAutoOrient = 0x10,
  kTitle = 0x20,
  kPlainText = 0x40,
};

// Plain layout: word-wrapped lines in one font, with "- n -" centred at the
// top of each page when page numbers are asked for. A wrapped line that does
// not fit the rest of a page moves whole to the next; one taller than a page
// prints clipped on a page of its own.
class PlainPager {
 public:
  PlainPager(Canvas& canvas, TextMeasure& measure, const PageBox& box, int line_height, bool page_numbers);

  void print_line(std::string_view line);
  bool page_open() const { return open_; }

 private:
  void open_page();

  Canvas& canvas_;
  TextMeasure& measure_;
  PageBox box_;
  int line_height_;
  bool page_numbers_;
  bool open_ = false;
  bool full_ = false;
  int y_ = 0;
  int content_top_ = 0;
  uint16_t page_ = 0;
};

// Table layout: a page header (title or job name, "Seite n"), the bold
// column-header row with a rule under it on every page, then one row per
// line. Widths are in printer pixels; `gap` is kept free at the right of
// each cell.
struct TablePage {
  PageBox box;
  int row_height = 0;
  int gap = 0;
  uint16_t flags = 0;
  std::string job_name;
  std::string page_word;  // "Seite"
};

class TablePager {
 public:
  TablePager(Canvas& canvas, const Columns& columns, const TableMetrics& table, const TablePage& page);

  void print_line(std::string_view line);
  bool page_open() const { return open_; }

 private:
  void open_page();
  void draw_row(std::string_view line, int top);

  Canvas& canvas_;
  const Columns& columns_;
  const TableMetrics& table_;
  const TablePage& page_;
  Rect area_;
  bool open_ = false;
  uint16_t number_ = 0;
};

}  // namespace vt::print
