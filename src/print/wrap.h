// Word wrap of one plain-layout line.
#pragma once

#include <string_view>
#include <vector>

#include "print/canvas.h"

namespace vt::print {

// Splits line into pieces that each fit `width` pixels when drawn with tab
// expansion and prefix processing ("&x" shows x underlined, "&&" shows "&").
// Lines break after a word, the blanks at a break are dropped; a word wider
// than the whole width breaks between characters. Indentation at the start
// of the line is kept. Every piece is a view into line; a line without
// visible characters yields no pieces.
std::vector<std::string_view> wrap_line(std::string_view line, int width, TextMeasure& measure);

}  // namespace vt::print
