// Recognising the columns of a text table from the top lines of its file.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "print/limits.h"

namespace vt::print {

class LineReader;

struct Columns {
  std::array<int, kMaxColumns> starts;  // character offsets; -1 = no column
  int count = 0;
  int header_line = -1;                  // index of the header in the window
  std::string header;                    // the header line itself
};

// Finds the header line and the column starts in a window of lines (the
// first kWindowLines lines of a file). The header is the first line after
// the window's last blank line (empty lines at the end of the window do not
// count), or line 0. Every run of blanks and tabs in the header that also
// lies on a blank or tab in all lines below it starts a column after its
// last character; trailing columns that start on a gap or at the header's
// end are dropped. Fewer than two columns means the text is no table.
Columns detect_columns(const std::vector<std::string>& window);

// Reads the window by the reading rule (at most kWindowLines lines, stopping
// at the end of the file or after a cut line), rewinding before and after.
std::vector<std::string> read_window(LineReader& reader);

// The text of column `column` in `line`: from the column's start to the next
// column's start (the last column runs to the end of the line), at most
// kMaxFieldChars characters; empty when the line ends before the start.
std::string_view column_text(std::string_view line, const Columns& columns, int column);

}  // namespace vt::print
