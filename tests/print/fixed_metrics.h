// Test doubles of the print layouts: a measurer with fixed character widths
// and a canvas that records what it is asked to draw.
#pragma once

#include <string>
#include <vector>

#include "print/canvas.h"

namespace vt::print::test {

// Every character is kCharWidth pixels wide; "W" is twice as wide, so that
// width is measured per character and not per count.
class FixedMeasure : public TextMeasure {
 public:
  static constexpr int kCharWidth = 10;
  int text_width(std::string_view text) override {
    int w = 0;
    for (char c : text) w += c == 'W' ? 2 * kCharWidth : kCharWidth;
    return w;
  }
  int average_char_width() override { return kCharWidth; }
};

struct Drawn {
  int page;
  Rect box;
  std::string text;
  Align align;
  bool bold;
};

class RecordingCanvas : public Canvas {
 public:
  void start_page() override { ++pages; }
  void end_page() override { ++ended; }
  void draw_text(const Rect& box, std::string_view text, Align align, bool) override {
    texts.push_back({pages, box, std::string(text), align, bold});
  }
  void draw_rule(int, int, int y) override { rules.push_back({pages, y}); }
  void draw_frame(const Rect&) override { ++frames; }
  void use_bold(bool b) override { bold = b; }

  std::vector<std::string> page_texts(int page) const {  // in drawing order
    std::vector<std::string> out;
    for (const Drawn& d : texts) if (d.page == page) out.push_back(d.text);
    return out;
  }

  int pages = 0, ended = 0, frames = 0;
  bool bold = false;
  std::vector<Drawn> texts;
  std::vector<std::pair<int, int>> rules;  // (page, y)
};

}  // namespace vt::print::test
