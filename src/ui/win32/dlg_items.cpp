// Showing, enabling, focusing and limiting dialog items by id.
#include <windows.h>

#include <cstdarg>

#include "veltra/dlgitem.h"

namespace {

// Window class names that take a text limit, and the room to read one.
constexpr int kClassNameSize = 33;

}  // namespace

extern "C" BOOL ShowDlgItem(HWND dialog, int id, BOOL show) {
  return ShowWindow(GetDlgItem(dialog, id), show ? SW_SHOW : SW_HIDE);
}

extern "C" void ShowDlgItems(HWND dialog, BOOL show, ...) {
  va_list ids;
  va_start(ids, show);
  for (int id; (id = va_arg(ids, int)) != 0;) ShowDlgItem(dialog, id, show);
  va_end(ids);
}

extern "C" BOOL EnableDlgItem(HWND dialog, int id, BOOL enable) {
  return EnableWindow(GetDlgItem(dialog, id), enable);
}

extern "C" void EnableDlgItems(HWND dialog, BOOL enable, ...) {
  va_list ids;
  va_start(ids, enable);
  // Item ids are 16-bit values; a caller's 0x10000 ends the list like a 0.
  for (WORD id; (id = static_cast<WORD>(va_arg(ids, int))) != 0;) EnableDlgItem(dialog, id, enable);
  va_end(ids);
}

extern "C" HWND SetDlgItemFocus(HWND dialog, int id) { return SetFocus(GetDlgItem(dialog, id)); }

extern "C" int LimitItemText(HWND dialog, ...) {
  va_list pairs;
  va_start(pairs, dialog);
  int limited = 0;
  for (;;) {
    int id = va_arg(pairs, int);
    if (id <= 0) break;
    int limit = va_arg(pairs, int);
    if (limit < 1) break;
    HWND item = GetDlgItem(dialog, id);
    char cls[kClassNameSize] = "";
    if (!item || !GetClassNameA(item, cls, sizeof cls)) continue;
    if (lstrcmpiA(cls, "combobox") == 0)
      SendMessageA(item, CB_LIMITTEXT, limit, 0);
    else if (lstrcmpiA(cls, "edit") == 0)
      SendMessageA(item, EM_LIMITTEXT, limit, 0);
    else
      continue;
    ++limited;
  }
  va_end(pairs);
  return limited;
}
