// What the print layouts need of a device: measuring text in the current
// font, and drawing on pages. The printer implements both with GDI; tests
// use fixed metrics and a recording canvas.
#pragma once

#include <string_view>

namespace vt::print {

struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
};

class TextMeasure {
 public:
  virtual ~TextMeasure() = default;
  // Width of text without tabs or prefix characters, in device pixels.
  virtual int text_width(std::string_view text) = 0;
  // Tab stops lie every eight average character widths.
  virtual int average_char_width() = 0;
};

enum class Align { left, center, right };

class Canvas {
 public:
  virtual ~Canvas() = default;
  virtual void start_page() = 0;
  virtual void end_page() = 0;
  // Single-line text in `box`, clipped to it. With `prefixed`, tabs expand to
  // the default stops and "&" underlines the next character ("&&" prints
  // one "&"), and the text is not clipped on the right.
  virtual void draw_text(const Rect& box, std::string_view text, Align align, bool prefixed) = 0;
  // A horizontal rule from left to right at y, in the default pen.
  virtual void draw_rule(int left, int right, int y) = 0;
  // A one-pixel frame around box.
  virtual void draw_frame(const Rect& box) = 0;
  virtual void use_bold(bool bold) = 0;
};

}  // namespace vt::print
