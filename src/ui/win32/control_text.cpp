#include "ui/win32/control_text.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace vt::ui {

bool list_entry_text(HWND control, bool combo, int index, char* buf, std::size_t size) {
  if (!buf || size == 0) return false;
  buf[0] = '\0';
  // The get-text messages take no buffer size: ask for the length first and
  // read into a buffer that fits, then cut.
  LRESULT len = SendMessageA(control, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, index, 0);
  if (len < 0) return false;
  std::vector<char> whole(static_cast<std::size_t>(len) + 1, '\0');
  LRESULT got = SendMessageA(control, combo ? CB_GETLBTEXT : LB_GETTEXT, index,
                             reinterpret_cast<LPARAM>(whole.data()));
  if (got < 0) return false;
  std::size_t n = strnlen(whole.data(), std::min(whole.size() - 1, size - 1));
  std::memcpy(buf, whole.data(), n);
  buf[n] = '\0';
  return true;
}

bool list_view_cell(HWND list_view, int row, int column, char* buf, std::size_t size) {
  if (!buf || size == 0) return false;
  buf[0] = '\0';
  LVITEMA item{};
  item.mask = LVIF_TEXT;
  item.iItem = row;
  item.iSubItem = column;
  item.pszText = buf;
  item.cchTextMax = static_cast<int>(size);
  bool ok = SendMessageA(list_view, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)) != 0;
  // The control may hand back its own text instead of filling the buffer.
  if (ok && item.pszText && item.pszText != buf) {
    std::size_t n = strnlen(item.pszText, size - 1);
    std::memmove(buf, item.pszText, n);
    buf[n] = '\0';
  }
  buf[size - 1] = '\0';
  return ok;
}

int list_view_columns(HWND list_view) {
  HWND header = reinterpret_cast<HWND>(SendMessageA(list_view, LVM_GETHEADER, 0, 0));
  if (!header) return 0;
  LRESULT n = SendMessageA(header, HDM_GETITEMCOUNT, 0, 0);
  return n > 0 ? static_cast<int>(n) : 0;
}

}  // namespace vt::ui
