#include "print/pagers.h"

#include <cstdio>

#include "print/text_class.h"
#include "print/wrap.h"

namespace vt::print {

PlainPager::PlainPager(Canvas& canvas, TextMeasure& measure, const PageBox& box, int line_height,
                       bool page_numbers)
    : canvas_(canvas), measure_(measure), box_(box), line_height_(line_height > 0 ? line_height : 1),
      page_numbers_(page_numbers) {}

void PlainPager::open_page() {
  canvas_.start_page();
  open_ = true;
  full_ = false;
  y_ = box_.top;
  if (page_numbers_) {
    ++page_;
    char number[24];
    std::snprintf(number, sizeof number, "- %hi -", static_cast<short>(page_));
    canvas_.draw_text({box_.left, y_, box_.right, y_ + line_height_}, number, Align::center, false);
    y_ += 2 * line_height_;
  }
  content_top_ = y_;
}

void PlainPager::print_line(std::string_view line) {
  auto pieces = wrap_line(line, box_.right - box_.left, measure_);
  int rows = pieces.empty() ? 1 : static_cast<int>(pieces.size());
  long long height = static_cast<long long>(rows) * line_height_;

  // A line that does not fit moves to a new page, unless the page holds
  // nothing yet: then it cannot fit anywhere and prints here, clipped.
  if (open_ && (full_ || (y_ + height > box_.bottom && y_ > content_top_))) {
    canvas_.end_page();
    open_ = false;
  }
  if (!open_) open_page();
  const int first_y = y_;
  if (y_ + height > box_.bottom) full_ = true;  // taller than a page: clipped here, alone
  for (size_t i = 0; i < pieces.size(); ++i) {
    int top = first_y + static_cast<int>(i) * line_height_;
    if (top + line_height_ > box_.bottom) break;
    canvas_.draw_text({box_.left, top, box_.right, top + line_height_}, pieces[i], Align::left, true);
  }
  y_ = full_ ? box_.bottom : static_cast<int>(first_y + height);
}

TablePager::TablePager(Canvas& canvas, const Columns& columns, const TableMetrics& table, const TablePage& page)
    : canvas_(canvas), columns_(columns), table_(table), page_(page) {}

void TablePager::draw_row(std::string_view line, int top) {
  int x = area_.left;
  for (int c = 0; c < columns_.count; ++c) {
    std::string_view field = trim(column_text(line, columns_, c));
    int w = table_.widths[c];
    canvas_.draw_text({x, top, x + w - page_.gap, top + page_.row_height}, field, table_.align[c], false);
    x += w;
  }
}

void TablePager::open_page() {
  const PageBox& b = page_.box;
  const int rh = page_.row_height;
  canvas_.start_page();
  open_ = true;
  ++number_;
  area_ = {b.left, b.top, b.right, b.bottom};
  if (page_.flags & kFrame) {
    canvas_.draw_frame(area_);
    area_ = {area_.left + 2, area_.top + 2, area_.right - 2, area_.bottom - 2};
  }
  if (page_.flags & (kJobName | kPageNumbers)) {
    Rect first{area_.left, area_.top, area_.right, area_.top + rh};
    if (page_.flags & (kTitle | kJobName))
      canvas_.draw_text(first, (page_.flags & kTitle) ? table_.title : page_.job_name, Align::left, false);
    if (page_.flags & kPageNumbers) {
      char text[48];
      std::snprintf(text, sizeof text, "%s %i", page_.page_word.c_str(), static_cast<int>(number_));
      canvas_.draw_text(first, text, Align::right, false);
    }
    Rect second{area_.left, area_.top + rh, area_.right, area_.top + 2 * rh};
    if ((page_.flags & kTitle) && (page_.flags & kJobName))
      canvas_.draw_text(second, page_.job_name, Align::left, false);
    if (page_.flags & kFrame) canvas_.draw_rule(b.left, b.right, second.bottom);
    area_.top += 2 * rh;
  }
  canvas_.use_bold(true);
  draw_row(columns_.header, area_.top);
  area_.top += rh;
  canvas_.draw_rule(b.left, b.right, area_.top);
  canvas_.use_bold(false);
}

void TablePager::print_line(std::string_view line) {
  if (open_ && area_.top + page_.row_height >= area_.bottom) {
    canvas_.end_page();
    open_ = false;
  }
  if (!open_) open_page();
  draw_row(line, area_.top);
  area_.top += page_.row_height;
}

}  // namespace vt::print
