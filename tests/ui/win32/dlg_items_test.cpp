// Dialog item helpers on a real dialog from the test program's template,
// read back through the window system.
#include <windows.h>

#include <gtest/gtest.h>

#include "ui_test_ids.h"
#include "veltra/dlgitem.h"

namespace {

INT_PTR CALLBACK plain_proc(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG; }

class DlgItems : public testing::Test {
 protected:
  void SetUp() override {
    dlg = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_TEST_ITEMS), nullptr,
                             plain_proc, 0);
    ASSERT_TRUE(dlg) << GetLastError();
    ShowWindow(dlg, SW_SHOW);
  }
  void TearDown() override {
    ExitDeferWindow();
    DestroyWindow(dlg);
  }
  HWND item(int id) const { return GetDlgItem(dlg, id); }
  // The item's rectangle in the dialog's client coordinates.
  RECT rect(int id) const {
    RECT r;
    GetWindowRect(item(id), &r);
    MapWindowPoints(HWND_DESKTOP, dlg, reinterpret_cast<POINT*>(&r), 2);
    return r;
  }
  LRESULT edit_limit(int id) const {
    HWND w = item(id);
    COMBOBOXINFO ci = {};
    ci.cbSize = sizeof ci;
    if (GetComboBoxInfo(w, &ci)) w = ci.hwndItem;
    return SendMessageA(w, EM_GETLIMITTEXT, 0, 0);
  }
  HWND dlg = nullptr;
};

TEST_F(DlgItems, LimitItemTextCountsEditsAndComboBoxesAndStopsAtZero) {
  const LRESULT edit2_before = edit_limit(IDC_EDIT2);
  // The button and the missing item are skipped; the limit 0 ends the list
  // before the second edit.
  EXPECT_EQ(LimitItemText(dlg, IDC_EDIT1, 5, IDC_BUTTON, 9, 999, 4, IDC_COMBO, 7, IDC_EDIT2, 0,
                          IDC_EDIT2, 3, 0),
            2);
  EXPECT_EQ(edit_limit(IDC_EDIT1), 5);
  EXPECT_EQ(edit_limit(IDC_COMBO), 7);
  EXPECT_EQ(edit_limit(IDC_EDIT2), edit2_before);
  EXPECT_EQ(LimitItemText(dlg, -1, 5, IDC_EDIT2, 3, 0), 0);
  EXPECT_EQ(LimitItemText(dlg, IDC_EDIT2, 3, 0), 1);
  EXPECT_EQ(edit_limit(IDC_EDIT2), 3);
}

TEST_F(DlgItems, IdListsEndWhereTheirTerminatorSays) {
  EnableDlgItems(dlg, FALSE, IDC_EDIT1, IDC_BUTTON, 0x10000, IDC_COMBO, 0);
  EXPECT_FALSE(IsWindowEnabled(item(IDC_EDIT1)));
  EXPECT_FALSE(IsWindowEnabled(item(IDC_BUTTON)));
  EXPECT_TRUE(IsWindowEnabled(item(IDC_COMBO)));
  // Low 16 bits decide: 0x10000 + IDC_COMBO names the combo box.
  EnableDlgItems(dlg, FALSE, 0x10000 + IDC_COMBO, 0);
  EXPECT_FALSE(IsWindowEnabled(item(IDC_COMBO)));
  EnableDlgItem(dlg, IDC_EDIT1, TRUE);
  EXPECT_TRUE(IsWindowEnabled(item(IDC_EDIT1)));

  ShowDlgItems(dlg, FALSE, IDC_EDIT1, IDC_LABEL, 0, IDC_LIST, 0);
  EXPECT_FALSE(IsWindowVisible(item(IDC_EDIT1)));
  EXPECT_FALSE(IsWindowVisible(item(IDC_LABEL)));
  EXPECT_TRUE(IsWindowVisible(item(IDC_LIST)));
  ShowDlgItem(dlg, IDC_EDIT1, 2);
  EXPECT_TRUE(IsWindowVisible(item(IDC_EDIT1)));

  SetDlgItemFocus(dlg, IDC_EDIT2);
  EXPECT_EQ(GetFocus(), item(IDC_EDIT2));
}

TEST_F(DlgItems, MovesAndResizesByDeltasAtOnceOrInABatch) {
  const RECT e1 = rect(IDC_EDIT1), lst = rect(IDC_LIST);
  MoveDlgItemsRelative(dlg, 7, -3, IDC_EDIT1, 999, IDC_LIST, 0);
  RECT r = rect(IDC_EDIT1);
  EXPECT_EQ(r.left, e1.left + 7);
  EXPECT_EQ(r.top, e1.top - 3);
  EXPECT_EQ(r.right - r.left, e1.right - e1.left);
  EXPECT_EQ(rect(IDC_LIST).top, lst.top - 3);

  const RECT b = rect(IDC_BUTTON);
  ResizeDlgItemsRelative(dlg, 11, 4, IDC_BUTTON, 0);
  r = rect(IDC_BUTTON);
  EXPECT_EQ(r.left, b.left);
  EXPECT_EQ(r.right - r.left, b.right - b.left + 11);
  EXPECT_EQ(r.bottom - r.top, b.bottom - b.top + 4);

  // A batch moves nothing until it ends.
  RECT frame, frame_before;
  GetWindowRect(dlg, &frame_before);
  const RECT e2 = rect(IDC_EDIT2);
  ASSERT_TRUE(InitDeferWindow(1));
  MoveWindowRelative(item(IDC_EDIT2), 5, 6);
  ResizeWindowRelative(item(IDC_LABEL), 20, 0);
  MoveWindowRelative(item(IDC_EDIT2), 0, 0);
  EXPECT_EQ(rect(IDC_EDIT2).left, e2.left);
  EXPECT_TRUE(ExitDeferWindow());
  EXPECT_FALSE(ExitDeferWindow());
  EXPECT_EQ(rect(IDC_EDIT2).left, e2.left + 5);
  EXPECT_EQ(rect(IDC_EDIT2).top, e2.top + 6);

  // A top-level window moves in screen coordinates.
  MoveWindowRelative(dlg, 13, 17);
  GetWindowRect(dlg, &frame);
  EXPECT_EQ(frame.left, frame_before.left + 13);
  EXPECT_EQ(frame.top, frame_before.top + 17);
  MoveWindowRelative(nullptr, 1, 1);  // nothing to do, no crash
}

TEST_F(DlgItems, FloatsInEditItems) {
  // The number rules are tested on the portable reader and writer; here the
  // item is read and written through the window: a comma accepted, a
  // refusal leaves the value.
  const struct {
    const char* text;
    BOOL ok;
    double value;
  } cases[] = {{"-2,25e3", TRUE, -2250}, {"1.5x", FALSE, -99}};
  for (const auto& c : cases) {
    SetDlgItemTextA(dlg, IDC_EDIT1, c.text);
    double v = -99;
    EXPECT_EQ(GetDlgItemFloat(dlg, IDC_EDIT1, &v), c.ok) << c.text;
    EXPECT_EQ(v, c.value) << c.text;
  }
  const double value = 1234567.0;
  char buf[100];
  EXPECT_TRUE(SetDlgItemFloat(dlg, IDC_EDIT2, &value));
  GetDlgItemTextA(dlg, IDC_EDIT2, buf, sizeof buf);
  EXPECT_STREQ(buf, "1.23457E+06");
  EXPECT_FALSE(SetDlgItemFloat(dlg, IDC_EDIT2, nullptr));
}

}  // namespace
