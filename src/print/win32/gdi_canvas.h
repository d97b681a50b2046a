// The print layouts' measuring and drawing on a GDI device context.
#pragma once

#include <windows.h>

#include "print/canvas.h"

namespace vt::print {

class GdiMeasure : public TextMeasure {
 public:
  explicit GdiMeasure(HDC dc) : dc_(dc) {}
  int text_width(std::string_view text) override;
  int average_char_width() override;

 private:
  HDC dc_;
};

// Pages of a printer DC. Every page start pumps the thread's messages and
// selects the current font again (a new page starts with the DC's defaults).
class GdiCanvas : public Canvas {
 public:
  GdiCanvas(HDC dc, HFONT regular, HFONT bold) : dc_(dc), regular_(regular), bold_(bold ? bold : regular) {}
  void start_page() override;
  void end_page() override;
  void draw_text(const Rect& box, std::string_view text, Align align, bool prefixed) override;
  void draw_rule(int left, int right, int y) override;
  void draw_frame(const Rect& box) override;
  void use_bold(bool bold) override;

 private:
  HDC dc_;
  HFONT regular_, bold_;
  bool bold_now_ = false;
};

// A font selected into a DC for the life of this object, then deleted.
class SelectedFont {
 public:
  SelectedFont(HDC dc, const LOGFONTA& lf) : dc_(dc), font_(CreateFontIndirectA(&lf)) {
    old_ = static_cast<HFONT>(SelectObject(dc_, font_));
  }
  ~SelectedFont() {
    SelectObject(dc_, old_);
    DeleteObject(font_);
  }
  SelectedFont(const SelectedFont&) = delete;
  SelectedFont& operator=(const SelectedFont&) = delete;
  HFONT font() const { return font_; }

 private:
  HDC dc_;
  HFONT font_;
  HFONT old_;
};

}  // namespace vt::print
