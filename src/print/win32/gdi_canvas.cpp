#include "print/win32/gdi_canvas.h"

#include <algorithm>

#include "veltra/dlgitem.h"

namespace vt::print {

int GdiMeasure::text_width(std::string_view text) {
  SIZE size{0, 0};
  if (!text.empty()) GetTextExtentPoint32A(dc_, text.data(), static_cast<int>(text.size()), &size);
  return size.cx;
}

int GdiMeasure::average_char_width() {
  TEXTMETRICA tm;
  return GetTextMetricsA(dc_, &tm) ? tm.tmAveCharWidth : 0;
}

void GdiCanvas::start_page() {
  StartPage(dc_);
  Dispatch(nullptr);
  SelectObject(dc_, bold_now_ ? bold_ : regular_);
}

void GdiCanvas::end_page() { EndPage(dc_); }

void GdiCanvas::draw_text(const Rect& box, std::string_view text, Align align, bool prefixed) {
  if (text.empty()) return;
  RECT r{box.left, box.top, box.right, box.bottom};
  UINT flags = DT_SINGLELINE | DT_TOP;
  flags |= align == Align::right ? DT_RIGHT : align == Align::center ? DT_CENTER : DT_LEFT;
  flags |= prefixed ? DT_EXPANDTABS | DT_NOCLIP : DT_NOPREFIX;
  DrawTextA(dc_, text.data(), static_cast<int>(text.size()), &r, flags);
}

void GdiCanvas::draw_rule(int left, int right, int y) {
  MoveToEx(dc_, left, y, nullptr);
  LineTo(dc_, right, y);
}

void GdiCanvas::draw_frame(const Rect& box) {
  RECT r{box.left, box.top, box.right, box.bottom};
  FrameRect(dc_, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

void GdiCanvas::use_bold(bool bold) {
  bold_now_ = bold;
  SelectObject(dc_, bold ? bold_ : regular_);
}

}  // namespace vt::print
