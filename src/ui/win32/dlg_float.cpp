// Numbers in dialog edit items.
#include <windows.h>

#include "port/fp_state.h"
#include "ui/float_text.h"
#include "veltra/dlgitem.h"

extern "C" BOOL SetDlgItemFloat(HWND dialog, int id, const double* value) {
  vt::port::FpGuard fp;
  char text[vt::ui::kFloatTextSize];
  if (!value || !vt::ui::format_item_float(*value, text)) return FALSE;
  return SetDlgItemTextA(dialog, id, text);
}

extern "C" BOOL GetDlgItemFloat(HWND dialog, int id, double* value) {
  vt::port::FpGuard fp;
  char text[vt::ui::kFloatTextSize];
  if (GetDlgItemTextA(dialog, id, text, sizeof text) <= 0) return FALSE;
  return vt::ui::parse_item_float(text, value);
}
