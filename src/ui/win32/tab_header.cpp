// Tabs and column headers from string-table texts.
#include <windows.h>
#include <commctrl.h>

#include "port/strings.h"
#include "ui/column_spec.h"
#include "ui/win32/control_class.h"
#include "ui/win32/grid_protocol.h"
#include "veltra/listctl.h"

namespace {

// Characters of one tab text.
constexpr int kTabStringChars = 255;

int list_view_format(vt::ui::ColumnAlign a) {
  switch (a) {
    case vt::ui::ColumnAlign::right: return LVCFMT_RIGHT;
    case vt::ui::ColumnAlign::centre: return LVCFMT_CENTER;
    default: return LVCFMT_LEFT;
  }
}

std::int32_t grid_align(vt::ui::ColumnAlign a) {
  switch (a) {
    case vt::ui::ColumnAlign::right: return vt::ui::grid::kAlignRight;
    case vt::ui::ColumnAlign::centre: return vt::ui::grid::kAlignCentre;
    default: return vt::ui::grid::kAlignLeft;
  }
}

}  // namespace

int InitTabStr(HWND dialog, int id, HINSTANCE module, UINT firstId, int count, int select) {
  HWND tab = GetDlgItem(dialog, id);
  if (!vt::ui::has_class(tab, WC_TABCONTROLA)) return 0;
  SendMessageA(tab, TCM_DELETEALLITEMS, 0, 0);
  for (int i = 0; i < count; ++i) {
    char text[kTabStringChars + 1];
    if (!vt::port::load_module_string(module, firstId + i, text, sizeof text)) return 0;
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    if (SendMessageA(tab, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item)) == -1) return 0;
    if (i == select) SendMessageA(tab, TCM_SETCURSEL, i, 0);
  }
  return 1;
}

int InitHeaderStr(HWND dialog, int id, HINSTANCE module, UINT firstId, int count) {
  HWND control = GetDlgItem(dialog, id);
  if (!control) return 0;
  const bool list_view = vt::ui::has_class(control, "SysListView32");
  if (!list_view && !vt::ui::has_class(control, vt::ui::grid::kClassName)) return 0;
  for (int i = 0; i < count; ++i) {
    char text[vt::ui::kColumnSpecChars + 1];
    // A missing string gives an empty text and thus a column without title.
    vt::port::load_module_string(module, firstId + i, text, sizeof text);
    vt::ui::ColumnSpec spec = vt::ui::parse_column_spec(text);
    if (list_view) {
      LVCOLUMNA col{};
      col.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
      col.fmt = list_view_format(spec.align);
      col.cx = spec.width;
      col.pszText = spec.title;
      col.iSubItem = i;
      SendMessageA(control, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&col));
    } else {
      vt::ui::grid::Column col{-1, grid_align(spec.align), spec.width, spec.title};
      SendMessageA(control, vt::ui::grid::kInsertColumn, 0, reinterpret_cast<LPARAM>(&col));
    }
  }
  return 1;
}
