// Copying a whole list box, combo box, list view or tree view to the
// clipboard as text, one line per item.
#include <windows.h>
#include <commctrl.h>

#include <new>
#include <string>

#include "ui/clip_text.h"
#include "ui/win32/clipboard_block.h"
#include "ui/win32/control_class.h"
#include "ui/win32/control_text.h"
#include "veltra/listctl.h"

namespace vt::ui {

namespace {

class TreeView : public TreeSource {
 public:
  explicit TreeView(HWND tree) : tree_(tree) {}
  std::uintptr_t first_root() override { return next(TVGN_ROOT, 0); }
  std::uintptr_t first_child(std::uintptr_t item) override { return next(TVGN_CHILD, item); }
  std::uintptr_t next_sibling(std::uintptr_t item) override { return next(TVGN_NEXT, item); }
  bool item_text(std::uintptr_t item, char* buf, std::size_t size) override {
    TVITEMA tv{};
    tv.mask = TVIF_TEXT;
    tv.hItem = reinterpret_cast<HTREEITEM>(item);
    tv.pszText = buf;
    tv.cchTextMax = static_cast<int>(size);
    if (!SendMessageA(tree_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv))) return false;
    buf[size - 1] = '\0';
    return true;
  }

 private:
  std::uintptr_t next(UINT how, std::uintptr_t item) {
    return static_cast<std::uintptr_t>(
        SendMessageA(tree_, TVM_GETNEXTITEM, how, static_cast<LPARAM>(item)));
  }
  HWND tree_;
};

// One line per entry of a list box, combo box or list view; false when
// memory runs out.
bool collect_list_lines(HWND control, std::string& out) try {
  const bool combo = has_class(control, "COMBOBOX");
  const bool list_view = has_class(control, WC_LISTVIEWA);
  UINT count_msg = list_view ? LVM_GETITEMCOUNT : combo ? CB_GETCOUNT : LB_GETCOUNT;
  LRESULT count = SendMessageA(control, count_msg, 0, 0);
  const int columns = list_view ? list_view_columns(control) : 0;
  char cell[kClipLineBytes];
  for (LRESULT i = 0; i < count; ++i) {
    std::string line;
    if (list_view) {
      for (int c = 0; c < columns; ++c) {
        if (!list_view_cell(control, static_cast<int>(i), c, cell, sizeof cell)) break;
        append_bounded(line, cell);
        append_bounded(line, "\t");
      }
    } else if (list_entry_text(control, combo, static_cast<int>(i), cell, sizeof cell)) {
      line = cell;
    }
    out += line;
    out += "\r\n";
  }
  return true;
} catch (const std::bad_alloc&) {
  return false;
}

}  // namespace

}  // namespace vt::ui

int List_CopyToClipboard(HWND control) {
  using namespace vt::ui;
  std::string text;
  bool ok;
  if (has_class(control, "LISTBOX") || has_class(control, "COMBOBOX") ||
      has_class(control, WC_LISTVIEWA)) {
    ok = collect_list_lines(control, text);
  } else if (has_class(control, WC_TREEVIEWA)) {
    TreeView tree(control);
    ok = collect_tree_text(tree, text);
  } else {
    return 0;
  }
  if (!ok) return 0;
  HGLOBAL block = make_text_block(text);
  if (!block) return 0;
  if (!OpenClipboard(control)) {
    GlobalFree(block);
    return 0;
  }
  ok = hand_over_text(block);
  CloseClipboard();
  return ok ? 1 : 0;
}
