// The registry item edit dialog: fills the table from the caller's item
// list and answers the table's notifications.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "config/regitem_rules.h"
#include "config/win32/text_or_id.h"
#include "frame/attach.h"
#include "frame/no_throw.h"
#include "resources/resource_ids.h"
#include "ui/win32/grid_protocol.h"
#include "veltra/listctl.h"
#include "veltra/regitem.h"

#if !defined(_WIN64)
static_assert(sizeof(REGITEMLIST) == REGITEMLIST_SIZE, "item-list record of the 32-bit library");
static_assert(sizeof(REGITEM) == 32, "item record of the 32-bit library");
#endif

namespace vt::config {

namespace {

namespace grid = vt::ui::grid;

// First of the four column strings "Variable", "Wert", "Bereich",
// "Bemerkung".
constexpr UINT kFirstColumnString = 130;
constexpr int kColumnCount = 4;
// Characters of the header line's format read from the template.
constexpr int kHeaderFormatChars = 159;
constexpr char kNoName[] = "<NA>";

// The list of the dialog that is open. One such dialog at a time: the
// dialog keeps the record's address here while it is shown.
const REGITEMLIST* g_open_list = nullptr;

std::uint32_t root_code(HKEY root) {
  return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(root));
}

void set_cell(HWND table, int row, int column, const char* text) {
  grid::Cell cell{};
  cell.mask = grid::kCellText | grid::kCellParam;
  cell.row = row;
  cell.column = column;
  cell.text = text;
  cell.param = row;
  SendMessageA(table, grid::kSetCell, 0, reinterpret_cast<LPARAM>(&cell));
}

void fill_table(HWND dialog, const REGITEMLIST& list) {
  HWND table = GetDlgItem(dialog, IDC_REGITEM_TABLE);
  InitHeaderStr(dialog, IDC_REGITEM_TABLE, static_cast<HINSTANCE>(vt::frame::module_handle()),
                kFirstColumnString, kColumnCount);
  for (LONG i = 0; i < list.itemCount && list.items; ++i) {
    if (!SendMessageA(table, grid::kInsertRows, static_cast<WPARAM>(i), 1)) break;
    const REGITEM& item = list.items[i];
    const int row = static_cast<int>(i);
    set_cell(table, row, 0, item.valueName);

    DWORD number = 0;
    char value[kMaxStringValueChars + 1] = "";
    if (AccessItemValue(list.defaultRoot, list.defaultKeyPath, item.root, item.keyPath,
                        item.valueName, item.type, &number, value, REGITEM_READ))
      set_cell(table, row, 1, value);

    char range[kRuleTextBytes];
    range_text(range, sizeof range, item.minimum, item.maximum);
    set_cell(table, row, 2, range);

    std::string remark = text_or_id(list.textModule, item.remark);
    if (!remark.empty()) set_cell(table, row, 3, remark.c_str());
  }
}

void init_dialog(HWND dialog, const REGITEMLIST& list) {
  SendMessageA(GetDlgItem(dialog, IDC_REGITEM_TABLE), grid::kSetEditLimit, kMaxStringValueChars, 0);

  std::string caption = text_or_id(list.textModule, list.caption);
  if (!caption.empty()) SetWindowTextA(dialog, caption.c_str());

  char format[kHeaderFormatChars + 1] = "";
  GetDlgItemTextA(dialog, IDC_REGITEM_HEADER, format, sizeof format);
  char header[kHeaderFormatChars + 1 + kMaxStringValueChars + 1];
  // The format is the template's own text with one "%s".
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
  std::snprintf(header, sizeof header, format, list.name ? list.name : kNoName);
#pragma GCC diagnostic pop
  SetDlgItemTextA(dialog, IDC_REGITEM_HEADER, header);

  fill_table(dialog, list);
}

void show_info(HWND dialog, const REGITEMLIST& list, int row, int column) {
  char text[kRuleTextBytes] = "";
  if ((list.options & REGITEM_OPT_INFOLINE) && row >= 0 && row < list.itemCount && list.items) {
    const REGITEM& item = list.items[row];
    const bool own = item.root && item.keyPath;
    info_line_text(text, sizeof text, column, root_code(own ? item.root : list.defaultRoot),
                   own ? item.keyPath : list.defaultKeyPath, item.valueName, item.type,
                   item.minimum, item.maximum);
  }
  SetDlgItemTextA(dialog, IDC_REGITEM_INFO, text);
}

// The answer to a notification of the table: 1 refuses an edit.
LRESULT on_notify(HWND dialog, const REGITEMLIST& list, const grid::Notify& n) {
  switch (static_cast<int>(n.header.code)) {
    case grid::kNotifyBeginEdit:
      if (n.column == 1) return 0;
      MessageBeep(MB_ICONASTERISK);
      return 1;
    case grid::kNotifyEndEdit:
      if (!n.text || StoreItemValue(n.text, n.row, &list)) return 0;
      MessageBeep(MB_ICONASTERISK);
      return 1;
    case grid::kNotifySelect:
      show_info(dialog, list, n.row, n.column);
      return 0;
  }
  return 0;
}

INT_PTR handle_message(HWND dialog, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_INITDIALOG:
      g_open_list = reinterpret_cast<const REGITEMLIST*>(lp);
      init_dialog(dialog, *g_open_list);
      return TRUE;
    case WM_NOTIFY: {
      const auto* n = reinterpret_cast<const grid::Notify*>(lp);
      if (!g_open_list || !n || n->header.idFrom != IDC_REGITEM_TABLE) return FALSE;
      LRESULT result = on_notify(dialog, *g_open_list, *n);
      SetWindowLongPtrA(dialog, DWLP_MSGRESULT, result);
      return result;
    }
    case WM_COMMAND:
      if (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL) EndDialog(dialog, LOWORD(wp));
      return FALSE;
    case WM_HELP:
      return TRUE;
    case WM_DESTROY:
      g_open_list = nullptr;
      return FALSE;
  }
  return FALSE;
}

// The table's texts are strings: when memory runs out while filling or
// answering it, the dialog closes (RegItemEdit still returns 0) instead of
// letting an exception unwind through the system's dialog code.
INT_PTR CALLBACK dialog_proc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp) {
  constexpr INT_PTR kFailed = -1;
  INT_PTR r = vt::frame::or_failure(kFailed, [&] { return handle_message(dialog, msg, wp, lp); });
  if (r != kFailed) return r;
  EndDialog(dialog, IDCANCEL);
  return TRUE;
}

}  // namespace

}  // namespace vt::config

LONG RegItemEdit(const REGITEMLIST* list) {
  if (!list || list->size != REGITEMLIST_SIZE) return -1;
  DialogBoxParamA(static_cast<HINSTANCE>(vt::frame::module_handle()),
                  MAKEINTRESOURCEA(IDD_REGITEM_EDIT), list->owner, vt::config::dialog_proc,
                  reinterpret_cast<LPARAM>(list));
  return 0;
}
