#include "print/margins.h"

#include <cmath>

#include "print/limits.h"

namespace vt::print {

namespace {
constexpr double kCmPerInch = 2.54;

// Pixels of a margin; a margin too large for 32 bits saturates, so that it
// fails the room test instead of wrapping around.
int32_t margin_pixels(int dpi, float cm) {
  double px = std::trunc(static_cast<double>(dpi) * static_cast<double>(cm) / kCmPerInch);
  constexpr double kLimit = 2e9;
  if (std::isnan(px)) return 0;
  if (px < -kLimit) return static_cast<int32_t>(-kLimit);
  if (px > kLimit) return static_cast<int32_t>(kLimit);
  return static_cast<int32_t>(px);
}
}  // namespace

bool compute_page_box(int width, int height, int dpi_x, int dpi_y, const float margins[4], PageBox& box) {
  box.left = margin_pixels(dpi_x, margins[0]);
  box.right = width - margin_pixels(dpi_x, margins[1]);
  box.top = margin_pixels(dpi_y, margins[2]);
  box.bottom = height - margin_pixels(dpi_y, margins[3]);
  return static_cast<int64_t>(box.right) - box.left >= kMinPrintablePixels &&
         static_cast<int64_t>(box.bottom) - box.top >= kMinPrintablePixels;
}

}  // namespace vt::print
