// Copying the rows of a list box, list view or table to the clipboard as
// tab-separated text.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "ui/clip_text.h"
#include "ui/win32/clipboard_block.h"
#include "ui/win32/control_class.h"
#include "ui/win32/control_text.h"
#include "ui/win32/grid_protocol.h"
#include "veltra/dlgitem.h"
#include "veltra/listctl.h"

namespace vt::ui {

namespace {

class ListBoxRows : public TableSource {
 public:
  explicit ListBoxRows(HWND w) : w_(w) {}
  int rows() override { return static_cast<int>(SendMessageA(w_, LB_GETCOUNT, 0, 0)); }
  int columns() override { return 1; }
  bool selected(int r) override { return SendMessageA(w_, LB_GETSEL, r, 0) >= 1; }
  bool cell_text(int r, int, char* buf, std::size_t size) override {
    // An unreadable entry counts as empty: only list-view and table cells
    // abandon their row.
    list_entry_text(w_, false, r, buf, size);
    return true;
  }
  bool any_selected() { return SendMessageA(w_, LB_GETSELCOUNT, 0, 0) > 0; }

 private:
  HWND w_;
};

class ListViewRows : public TableSource {
 public:
  explicit ListViewRows(HWND w) : w_(w) {}
  int rows() override { return static_cast<int>(SendMessageA(w_, LVM_GETITEMCOUNT, 0, 0)); }
  int columns() override { return list_view_columns(w_); }
  bool selected(int r) override {
    return (SendMessageA(w_, LVM_GETITEMSTATE, r, LVIS_SELECTED) & LVIS_SELECTED) != 0;
  }
  bool cell_text(int r, int c, char* buf, std::size_t size) override {
    return list_view_cell(w_, r, c, buf, size);
  }
  bool any_selected() {
    return SendMessageA(w_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED) >= 0;
  }

 private:
  HWND w_;
};

class TableRows : public TableSource {
 public:
  explicit TableRows(HWND w) : w_(w) {}
  int rows() override { return static_cast<int>(SendMessageA(w_, grid::kRowCount, 0, 0)); }
  int columns() override { return static_cast<int>(SendMessageA(w_, grid::kColumnCount, 0, 0)); }
  bool selected(int) override { return true; }
  bool cell_text(int r, int c, char* buf, std::size_t size) override {
    // The table writes up to its own cell size; give it a full one, then cut.
    char cell[grid::kCellTextBytes] = "";
    WPARAM where = static_cast<WPARAM>((r & 0xFFFF) | ((c & 0xFFFF) << 16));
    if (!SendMessageA(w_, grid::kGetCellText, where, reinterpret_cast<LPARAM>(cell))) return false;
    cell[sizeof cell - 1] = '\0';
    lstrcpynA(buf, cell, static_cast<int>(size));
    return true;
  }

 private:
  HWND w_;
};

// The rule that decides between all and selected rows: mode -1 asks the
// control, above 0 selected only, 0 or below all.
bool selected_only(int mode, bool any_selected) { return mode == -1 ? any_selected : mode > 0; }

}  // namespace

}  // namespace vt::ui

int CopyListToClipboard(HWND control, int mode) {
  using namespace vt::ui;
  enum { kListBox, kListView, kTable } kind;
  if (has_class(control, "listbox")) kind = kListBox;
  else if (has_class(control, WC_LISTVIEWA)) kind = kListView;
  else if (has_class(control, grid::kClassName)) kind = kTable;
  else return 0;

  WaitCursor();
  if (!OpenClipboard(control)) {
    RestoreCursor();
    return 0;
  }
  std::string text;
  bool ok;
  switch (kind) {
    case kListBox: {
      ListBoxRows rows(control);
      ok = collect_table_text(rows, selected_only(mode, rows.any_selected()), text);
      break;
    }
    case kListView: {
      ListViewRows rows(control);
      ok = collect_table_text(rows, selected_only(mode, rows.any_selected()), text);
      break;
    }
    default: {
      TableRows rows(control);
      ok = collect_table_text(rows, false, text);
      break;
    }
  }
  if (ok && !text.empty()) {
    HGLOBAL block = make_text_block(text);
    ok = block && hand_over_text(block);
  }
  CloseClipboard();
  RestoreCursor();
  return ok ? 1 : 0;
}
