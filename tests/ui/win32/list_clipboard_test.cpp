// Copies of real lists, trees and tables, read back from the clipboard.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "control_host.h"
#include "datagrid.h"
#include "ui/win32/grid_protocol.h"
#include "veltra/listctl.h"

namespace {

using vt::test::clipboard_text;
using vt::test::example_list_view;
using vt::test::set_clipboard_marker;

HTREEITEM add_item(HWND tree, HTREEITEM parent, const char* text) {
  TVINSERTSTRUCTA ins{};
  ins.hParent = parent;
  ins.hInsertAfter = TVI_LAST;
  ins.item.mask = TVIF_TEXT;
  ins.item.pszText = const_cast<char*>(text);
  return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&ins)));
}

void select_row(HWND lv, int row) {
  LVITEMA item{};
  item.stateMask = LVIS_SELECTED;
  item.state = LVIS_SELECTED;
  SendMessageA(lv, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

}  // namespace

TEST(ListClipboard, ListViewLinesOfBothCopies) {
  vt::test::ControlHost host;
  HWND lv = example_list_view(host, 10);
  ASSERT_EQ(1, List_CopyToClipboard(lv));
  EXPECT_EQ("1\tx\t\r\n22\tyy\t\r\n", clipboard_text());

  struct Case {
    int mode;
    bool select_second;
    const char* text;
  } cases[] = {
      {-1, false, "1\tx\r\n22\tyy\r\n"},  // nothing selected: all rows
      {-1, true, "22\tyy\r\n"},
      {0, true, "1\tx\r\n22\tyy\r\n"},
      {1, true, "22\tyy\r\n"},
  };
  for (const Case& c : cases) {
    if (c.select_second) select_row(lv, 1);
    set_clipboard_marker("marker");
    EXPECT_NE(0, CopyListToClipboard(lv, c.mode));
    EXPECT_EQ(c.text, clipboard_text()) << c.mode;
  }
  // selected rows only, none selected: nothing copied, the clipboard is kept
  HWND empty_sel = example_list_view(host, 11);
  set_clipboard_marker("marker");
  EXPECT_NE(0, CopyListToClipboard(empty_sel, 1));
  EXPECT_EQ("marker", clipboard_text());
}

TEST(ListClipboard, TreesAreIndentedByTheirFullDepth) {
  vt::test::ControlHost host;
  HWND tree = host.add(WC_TREEVIEWA, 20);
  HTREEITEM r = add_item(tree, TVI_ROOT, "R");
  HTREEITEM a = add_item(tree, r, "A");
  add_item(tree, a, "C");
  add_item(tree, r, "B");
  ASSERT_EQ(1, List_CopyToClipboard(tree));
  EXPECT_EQ("R\r\n\tA\r\n\t\tC\r\n\tB\r\n", clipboard_text());

  HWND deep = host.add(WC_TREEVIEWA, 21);
  std::string want;
  HTREEITEM p = TVI_ROOT;
  for (int d = 0; d < 25; ++d) {
    p = add_item(deep, p, std::to_string(d).c_str());
    want += std::string(d, '\t') + std::to_string(d) + "\r\n";
  }
  std::string longer(400, 'L');
  add_item(deep, TVI_ROOT, longer.c_str());
  want += longer.substr(0, 260) + "\r\n";
  ASSERT_EQ(1, List_CopyToClipboard(deep));
  EXPECT_EQ(want, clipboard_text());
}

TEST(ListClipboard, ListAndComboBoxes) {
  vt::test::ControlHost host;
  HWND lb = host.add("ListBox", 30, LBS_EXTENDEDSEL);
  HWND cb = host.add("ComboBox", 31, CBS_DROPDOWNLIST);
  std::string longer(1500, 'q');
  for (const char* t : {"a", "b", longer.c_str()}) {
    SendMessageA(lb, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t));
    SendMessageA(cb, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t));
  }
  const std::string line_cut = longer.substr(0, 1023), cell_cut = longer.substr(0, 260);
  ASSERT_EQ(1, List_CopyToClipboard(lb));
  EXPECT_EQ("a\r\nb\r\n" + line_cut + "\r\n", clipboard_text());
  ASSERT_EQ(1, List_CopyToClipboard(cb));
  EXPECT_EQ("a\r\nb\r\n" + line_cut + "\r\n", clipboard_text());

  EXPECT_NE(0, CopyListToClipboard(lb, -1));
  EXPECT_EQ("a\r\nb\r\n" + cell_cut + "\r\n", clipboard_text());
  SendMessageA(lb, LB_SETSEL, TRUE, 1);
  EXPECT_NE(0, CopyListToClipboard(lb, -1));
  EXPECT_EQ("b\r\n", clipboard_text());
  EXPECT_NE(0, CopyListToClipboard(lb, 0));
  EXPECT_EQ("a\r\nb\r\n" + cell_cut + "\r\n", clipboard_text());

  set_clipboard_marker("marker");
  EXPECT_EQ(0, CopyListToClipboard(cb, -1));  // combo boxes have only the simple copy
  HWND edit = host.add("Edit", 32);
  EXPECT_EQ(0, CopyListToClipboard(edit, -1));
  EXPECT_EQ(0, List_CopyToClipboard(edit));
  EXPECT_EQ(0, List_CopyToClipboard(nullptr));
  EXPECT_EQ("marker", clipboard_text());
}

TEST(ListClipboard, TableCopiesAllRows) {
  ASSERT_TRUE(vt::grid::register_datagrid(GetModuleHandleA(nullptr)));
  vt::test::ControlHost host;
  HWND grid = host.add("DataGridWnd", 40);
  namespace g = vt::ui::grid;
  for (const char* t : {"A", "Wert"}) {
    g::Column col{-1, g::kAlignLeft, 60, t};
    SendMessageA(grid, g::kInsertColumn, 0, reinterpret_cast<LPARAM>(&col));
  }
  ASSERT_TRUE(SendMessageA(grid, g::kInsertRows, 0, 2));
  const char* cells[2][2] = {{"1", "x"}, {"22", "yy"}};
  for (int r = 0; r < 2; ++r)
    for (int c = 0; c < 2; ++c) {
      g::Cell cell{};
      cell.mask = g::kCellText;
      cell.row = r;
      cell.column = c;
      cell.text = cells[r][c];
      ASSERT_TRUE(SendMessageA(grid, g::kSetCell, 0, reinterpret_cast<LPARAM>(&cell)));
    }
  for (int mode : {-1, 0, 1}) {
    set_clipboard_marker("marker");
    EXPECT_NE(0, CopyListToClipboard(grid, mode));
    EXPECT_EQ("1\tx\r\n22\tyy\r\n", clipboard_text()) << mode;
  }
}
