// Page margins in centimetres to a printable rectangle in device pixels.
#pragma once

#include <cstdint>

namespace vt::print {

struct PageBox {
  int32_t left = 0, right = 0, top = 0, bottom = 0;
};

// margins: left, right, top, bottom in cm. The rectangle is measured from
// the edges of the printable area (width x height pixels at the given dots
// per inch); each margin is truncated toward zero. Returns whether the
// rectangle keeps kMinPrintablePixels in both directions; the box holds the
// computed values either way.
bool compute_page_box(int width, int height, int dpi_x, int dpi_y, const float margins[4], PageBox& box);

}  // namespace vt::print
