// Page margins of a printer DC.
#include <windows.h>

#include "port/fp_state.h"
#include "print/margins.h"
#include "veltra/message.h"
#include "veltra/print.h"

namespace {
constexpr UINT kMsgMarginsTooLarge = 210;
}

int16_t PrtCalcMargins(HDC dc, const float* margins, int32_t* left, int32_t* right, int32_t* top,
                       int32_t* bottom, int16_t show) {
  vt::port::FpGuard fp;
  if (!margins || !left || !right || !top || !bottom) return 0;
  vt::print::PageBox box;
  bool ok = vt::print::compute_page_box(GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, VERTRES),
                                        GetDeviceCaps(dc, LOGPIXELSX), GetDeviceCaps(dc, LOGPIXELSY), margins, box);
  *left = box.left;
  *right = box.right;
  *top = box.top;
  *bottom = box.bottom;
  if (!ok && show) MessageFMTBox(nullptr, kMsgMarginsTooLarge, 0);
  return ok ? 1 : 0;
}
