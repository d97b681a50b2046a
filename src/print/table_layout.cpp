#include "print/table_layout.h"

#include <algorithm>

#include "print/line_reader.h"
#include "print/text_class.h"

namespace vt::print {

namespace {
// Room kept free at the right edge of the page, in printer pixels.
constexpr int kFitSlack = 8;
}  // namespace

std::string table_title(std::string_view first_line) {
  std::string title(trim(first_line.substr(0, kMaxFieldChars)));
  std::replace(title.begin(), title.end(), '\t', ' ');
  return title;
}

TableMetrics measure_table(LineReader& reader, const Columns& columns, TextMeasure& measure, int digit) {
  TableMetrics t;
  const int n = columns.count;
  t.widths.assign(n, 0);
  std::vector<int> decided(n, 0);
  t.align.assign(n, Align::left);
  for (int c = 0; c < n; ++c) {
    std::string field(trim(column_text(columns.header, columns, c)));
    t.widths[c] = (measure.text_width(field) + digit) * 13 / 10;
  }

  reader.rewind();
  int index = 0;
  for_each_line(reader, [&](const std::string& line) {
    if (index == 0) t.title = table_title(line);
    if (index > columns.header_line) {
      for (int c = 0; c < n; ++c) {
        std::string_view field = column_text(line, columns, c);
        if (!decided[c] && !is_blank_line(field)) {
          decided[c] = 1;
          t.align[c] = field.front() == ' ' ? Align::right : Align::left;
        }
        std::string trimmed(trim(field));
        t.widths[c] = std::max(t.widths[c], measure.text_width(trimmed) + digit);
      }
    }
    ++index;
    return true;
  });
  reader.rewind();

  int sum = 0;
  for (int w : t.widths) sum += w;
  t.table_width = std::max(sum, measure.text_width(t.title) * 12 / 10);
  return t;
}

int fit_table_height(int table_width, int screen_digit, int available,
                     const std::function<int(int height)>& printer_digit) {
  if (screen_digit <= 0) return 0;
  for (int h = kLargestTableHeight; h <= kSmallestTableHeight; h += kTableHeightStep) {
    long long scaled = static_cast<long long>(table_width) * printer_digit(h) / screen_digit;
    if (scaled <= available - kFitSlack) return h;
  }
  return 0;
}

}  // namespace vt::print
