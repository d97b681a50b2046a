// Filling real list boxes, combo boxes, tab controls, list views and tables,
// read back with the controls' own messages.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "control_host.h"
#include "datagrid.h"
#include "list_test_ids.h"
#include "ui/win32/grid_protocol.h"
#include "veltra/listctl.h"
#include "veltra/ole.h"

namespace {

constexpr int kId = 100;
HINSTANCE program() { return GetModuleHandleA(nullptr); }

struct ListKind {
  const char* cls;
  UINT count, get_text, get_sel;
};
const ListKind kLists[] = {{"ListBox", LB_GETCOUNT, LB_GETTEXT, LB_GETCURSEL},
                           {"ComboBox", CB_GETCOUNT, CB_GETLBTEXT, CB_GETCURSEL}};

std::vector<std::string> entries(HWND w, const ListKind& k) {
  std::vector<std::string> out;
  LRESULT n = SendMessageA(w, k.count, 0, 0);
  for (LRESULT i = 0; i < n; ++i) {
    char buf[300] = "";
    SendMessageA(w, k.get_text, i, reinterpret_cast<LPARAM>(buf));
    out.emplace_back(buf);
  }
  return out;
}

}  // namespace

TEST(ListFill, ListMessagesByClassIgnoringCase) {
  vt::test::ControlHost host;
  UINT m[4] = {7, 7, 7, 7};
  EXPECT_EQ(2, GetListMessages(host.add("combobox", 2, CBS_DROPDOWNLIST), &m[0], &m[1], &m[2], &m[3]));
  EXPECT_EQ((std::vector<UINT>{CB_RESETCONTENT, CB_INSERTSTRING, CB_SETCURSEL, CB_SETITEMDATA}),
            std::vector<UINT>(m, m + 4));
  EXPECT_EQ(1, GetListMessages(host.add("ListBox", 1), &m[0], &m[1], &m[2], &m[3]));
  EXPECT_EQ(0, GetListMessages(host.add("Edit", 3), &m[0], &m[1], &m[2], &m[3]));
  EXPECT_EQ(LB_RESETCONTENT, m[0]);  // a refusal leaves the previous answers
  EXPECT_EQ(0, GetListMessages(nullptr, &m[0], &m[1], &m[2], &m[3]));
}

TEST(ListFill, NumbersAndStringsInListAndComboBoxes) {
  for (const ListKind& k : kLists) {
    SCOPED_TRACE(k.cls);
    vt::test::ControlHost host;
    HWND w = host.add(k.cls, kId, k.get_sel == CB_GETCURSEL ? CBS_DROPDOWNLIST : 0);
    ASSERT_EQ(1, InitListInt(host.window(), kId, 3, 5, 4));
    EXPECT_EQ((std::vector<std::string>{"3", "4", "5"}), entries(w, k));
    EXPECT_EQ(1, SendMessageA(w, k.get_sel, 0, 0));
    ASSERT_EQ(1, InitListInt(host.window(), kId, -1, -3, -2));
    EXPECT_TRUE(entries(w, k).empty());
    const std::vector<std::string> texts = {"Betrag|90|r", "Name", "Mitte|||40|c"};
    ASSERT_EQ(1, InitListStr(host.window(), kId, program(), IDS_COL_RIGHT, 3, 2));
    EXPECT_EQ(texts, entries(w, k));
    EXPECT_EQ(2, SendMessageA(w, k.get_sel, 0, 0));
    // a missing string stops the filling at once
    EXPECT_EQ(0, InitListStr(host.window(), kId, program(), IDS_COL_RIGHT, 20, 0));
    EXPECT_EQ(texts, entries(w, k));
  }
  vt::test::ControlHost host;
  host.add("Edit", kId);
  EXPECT_EQ(0, InitListInt(host.window(), kId, 1, 2, 1));
  EXPECT_EQ(0, InitListStr(host.window(), kId, nullptr, 130, 1, 0));
  EXPECT_EQ(0, InitListInt(host.window(), kId + 1, 1, 2, 1));  // no such item
}

TEST(ListFill, TabsFromTheLibrarysStrings) {
  vt::test::ControlHost host;
  HWND tab = host.add(WC_TABCONTROLA, kId);
  ASSERT_EQ(1, InitTabStr(host.window(), kId, nullptr, 18, 7, 3));
  EXPECT_EQ(7, SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0));
  EXPECT_EQ(3, SendMessageA(tab, TCM_GETCURSEL, 0, 0));
  char want[64] = "", buf[64] = "";
  LoadStringA(program(), 18 + 6, want, sizeof want);  // the library's table is in the program
  TCITEMA item{};
  item.mask = TCIF_TEXT;
  item.pszText = buf;
  item.cchTextMax = sizeof buf;
  SendMessageA(tab, TCM_GETITEMA, 6, reinterpret_cast<LPARAM>(&item));
  EXPECT_STREQ(want, buf);
  // refilling replaces the tabs; a missing string ends it with 0
  EXPECT_EQ(0, InitTabStr(host.window(), kId, program(), IDS_COL_PLAIN, 5, 0));
  EXPECT_EQ(2, SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0));
  host.add("ListBox", kId + 1);
  EXPECT_EQ(0, InitTabStr(host.window(), kId + 1, nullptr, 18, 7, 0));
}

TEST(ListFill, ColumnsOfListViewsAndTables) {
  // The column texts' rule is tested on the portable reader; here its
  // alignment reaches the list view, and its widths the table.
  vt::test::ControlHost host;
  HWND lv = host.add(WC_LISTVIEWA, kId, LVS_REPORT);
  ASSERT_EQ(1, InitHeaderStr(host.window(), kId, program(), IDS_COL_RIGHT, 3));
  const int want_fmt[] = {LVCFMT_RIGHT, LVCFMT_LEFT, LVCFMT_CENTER};
  for (int i = 0; i < 3; ++i) {
    LVCOLUMNA col{};
    col.mask = LVCF_FMT;
    ASSERT_TRUE(SendMessageA(lv, LVM_GETCOLUMNA, i, reinterpret_cast<LPARAM>(&col))) << i;
    EXPECT_EQ(want_fmt[i], col.fmt & LVCFMT_JUSTIFYMASK) << i;
  }
  ASSERT_TRUE(vt::grid::register_datagrid(program()));
  HWND grid = host.add("DataGridWnd", kId + 1, 0, 600, 200);
  ASSERT_EQ(1, InitHeaderStr(host.window(), kId + 1, program(), IDS_COL_RIGHT, 3));
  EXPECT_EQ(3, SendMessageA(grid, vt::ui::grid::kColumnCount, 0, 0));
  ASSERT_TRUE(SendMessageA(grid, vt::ui::grid::kInsertRows, 0, 1));
  RECT rc;
  ASSERT_TRUE(SendMessageA(grid, vt::grid::kGetCellRect, MAKEWPARAM(0, 2), reinterpret_cast<LPARAM>(&rc)));
  EXPECT_EQ(90 + 80, rc.left);
  EXPECT_EQ(40, rc.right - rc.left);
  host.add("Edit", kId + 2);
  EXPECT_EQ(0, InitHeaderStr(host.window(), kId + 2, nullptr, 130, 4));
  EXPECT_EQ(0, InitHeaderStr(host.window(), kId + 3, nullptr, 130, 4));
}

TEST(ListFill, ImageListsFromABitmapStrip) {
  HIMAGELIST list = LoadImageList(program(), IDB_LIST_STRIP, RGB(255, 0, 255), 16, 16, 4);
  ASSERT_TRUE(list);
  EXPECT_EQ(3, ImageList_GetImageCount(list));
  // The mask colour is transparent: drawn on white, the corner stays white
  // and the middle takes the image's colour.
  vt::test::Canvas canvas;
  RECT all{0, 0, 16, 16};
  const COLORREF want[] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)};
  for (int i = 0; i < 3; ++i) {
    FillRect(canvas.dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    ImageList_Draw(list, i, canvas.dc, 0, 0, ILD_NORMAL);
    EXPECT_EQ(RGB(255, 255, 255), canvas.at(0, 0)) << i;
    EXPECT_EQ(want[i], canvas.at(8, 8)) << i;
  }
  ImageList_Destroy(list);

  EXPECT_EQ(nullptr, LoadImageList(program(), IDB_LIST_STRIP, 0, 0, 16, 4));
  EXPECT_EQ(nullptr, LoadImageList(program(), 0xF1FF, 0, 16, 16, 4));

  vt::test::ControlHost host;
  struct Case {
    const char* cls;
    UINT get;
    WPARAM which;
  } cases[] = {{WC_LISTVIEWA, LVM_GETIMAGELIST, LVSIL_SMALL},
               {WC_TREEVIEWA, TVM_GETIMAGELIST, TVSIL_NORMAL},
               {WC_TABCONTROLA, TCM_GETIMAGELIST, 0}};
  int id = kId;
  for (const Case& c : cases) {
    HWND w = host.add(c.cls, ++id);
    ASSERT_EQ(1, SetImageList(w, program(), IDB_LIST_STRIP, RGB(255, 0, 255), 16, 16, 0)) << c.cls;
    auto set = reinterpret_cast<HIMAGELIST>(SendMessageA(w, c.get, c.which, 0));
    ASSERT_TRUE(set) << c.cls;
    EXPECT_EQ(3, ImageList_GetImageCount(set));
    EXPECT_EQ(0, SetImageList(w, program(), 0xF1FF, 0, 16, 16, 0)) << c.cls;
  }
  // Double buffering is switched on where the tree view keeps extended
  // styles at all (some common-control versions ignore them).
  HWND probe = host.add(WC_TREEVIEWA, kId + 8);
  SendMessageA(probe, TVM_SETEXTENDEDSTYLE, TVS_EX_DOUBLEBUFFER, TVS_EX_DOUBLEBUFFER);
  bool kept = SendMessageA(probe, TVM_GETEXTENDEDSTYLE, 0, 0) & TVS_EX_DOUBLEBUFFER;
  HWND tree = GetDlgItem(host.window(), kId + 2);
  LRESULT ex = SendMessageA(tree, TVM_GETEXTENDEDSTYLE, 0, 0);
  EXPECT_EQ(kept && QueryWin32Param(11) ? TVS_EX_DOUBLEBUFFER : 0, ex & TVS_EX_DOUBLEBUFFER);
  EXPECT_EQ(0, SetImageList(host.add("Button", kId + 9), program(), IDB_LIST_STRIP, 0, 16, 16, 0));
  TVWorkAroundSmeare(nullptr);  // a null window is left alone
}
