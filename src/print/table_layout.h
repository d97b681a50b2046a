// The table layout's measuring: column widths and alignments over the whole
// file, and the choice of the printing font size.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "print/canvas.h"
#include "print/columns.h"

namespace vt::print {

class LineReader;

struct TableMetrics {
  std::vector<int> widths;   // per column, in the measuring device's pixels
  std::vector<Align> align;  // left or right
  std::string title;         // first line, trimmed, tabs as blanks
  int table_width = 0;
};

// The measuring pass. `digit` is the width of "0" on the measuring device
// (at least kMinScreenDigitWidth). A header field gets (its width + digit)
// * 13 / 10; a data field its trimmed width + digit. A column is
// right-aligned when its first non-blank data field starts with a blank.
// The table is as wide as its columns, or 12/10 of the title if wider.
TableMetrics measure_table(LineReader& reader, const Columns& columns, TextMeasure& measure, int digit);

// The first height of kLargestTableHeight..kSmallestTableHeight (in steps)
// at which the table fits `available` pixels, 0 when none does: it fits when
// table_width * printer digit / screen digit <= available - 8.
// printer_digit(height) measures "0" in the font of that height.
int fit_table_height(int table_width, int screen_digit, int available,
                     const std::function<int(int height)>& printer_digit);

// The title of a table: the first line, at most kMaxFieldChars characters,
// trimmed at both ends, each tab a blank.
std::string table_title(std::string_view first_line);

}  // namespace vt::print
