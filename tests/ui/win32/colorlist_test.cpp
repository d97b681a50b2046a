// Colour lists: filled into real list and combo boxes, entries drawn into a
// memory bitmap and checked pixel by pixel.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "control_host.h"
#include "veltra/colorlist.h"

namespace {

using vt::test::Canvas;

// A palette with n entries: entry i is (40 i, 255 - 40 i, 7) with flags set,
// so that a colour taken with its flags would show.
std::vector<BYTE> make_palette(int n) {
  std::vector<BYTE> mem(sizeof(LOGPALETTE) + n * sizeof(PALETTEENTRY));
  auto* p = reinterpret_cast<LOGPALETTE*>(mem.data());
  p->palVersion = 0x300;
  p->palNumEntries = static_cast<WORD>(n);
  for (int i = 0; i < n; ++i)
    p->palPalEntry[i] = {static_cast<BYTE>(40 * i), static_cast<BYTE>(255 - 40 * i), 7, PC_NOCOLLAPSE};
  return mem;
}
const LOGPALETTE* as_palette(const std::vector<BYTE>& m) {
  return reinterpret_cast<const LOGPALETTE*>(m.data());
}

DRAWITEMSTRUCT item_of(HWND control, UINT type, int index, const Canvas& c, UINT state = 0) {
  DRAWITEMSTRUCT d{};
  d.CtlType = type;
  d.itemID = static_cast<UINT>(index);
  d.itemAction = ODA_DRAWENTIRE;
  d.itemState = state;
  d.hwndItem = control;
  d.hDC = c.dc;
  d.rcItem = {0, 0, Canvas::kWidth, Canvas::kHeight};
  return d;
}

std::vector<std::pair<std::string, DWORD>> entries(HWND lb) {
  std::vector<std::pair<std::string, DWORD>> out;
  for (LRESULT i = 0, n = SendMessageA(lb, LB_GETCOUNT, 0, 0); i < n; ++i) {
    char buf[300] = "";
    SendMessageA(lb, LB_GETTEXT, i, reinterpret_cast<LPARAM>(buf));
    out.emplace_back(buf, static_cast<DWORD>(SendMessageA(lb, LB_GETITEMDATA, i, 0)));
  }
  return out;
}

}  // namespace

TEST(ColorList, FillsNamesWithColoursOrPaletteReferences) {
  vt::test::ControlHost host;
  auto pal = make_palette(4);
  struct Case {
    const char* names;
    bool with_palette;
    std::vector<std::pair<std::string, DWORD>> want;
  } cases[] = {
      {"Rot|Gr\xFCn|Blau|Gelb|Wei\xDF|Schwarz", true,
       {{"Rot", RGB(0, 255, 7)}, {"Gr\xFCn", RGB(40, 215, 7)}, {"Blau", RGB(80, 175, 7)},
        {"Gelb", RGB(120, 135, 7)}}},
      {"|a||b|", false, {{"a", 0x01000000}, {"b", 0x01000001}}},  // empty names are skipped
  };
  int id = 1;
  for (const Case& c : cases) {
    HWND lb = host.add("ListBox", id++, LBS_HASSTRINGS);
    ASSERT_EQ(1, InitColorList(lb, c.names, c.with_palette ? as_palette(pal) : nullptr)) << c.names;
    EXPECT_EQ(c.want, entries(lb)) << c.names;
  }
  HWND cb = host.add("ComboBox", id++, CBS_DROPDOWNLIST | CBS_HASSTRINGS);
  ASSERT_EQ(1, InitColorList(cb, "eins|zwei", nullptr));
  EXPECT_EQ(0x01000001, SendMessageA(cb, CB_GETITEMDATA, 1, 0));

  HWND edit = host.add("Edit", id++);
  EXPECT_EQ(0, InitColorList(edit, "Rot", nullptr));
  EXPECT_EQ(0, InitColorList(cb, nullptr, nullptr));
  EXPECT_EQ(0, InitColorList(nullptr, "Rot", nullptr));
}

TEST(ColorList, DrawsSwatchTextAndFocus) {
  vt::test::ControlHost host;
  HWND lb = host.add("ListBox", 1, LBS_HASSTRINGS | LBS_OWNERDRAWFIXED);
  auto pal = make_palette(3);
  ASSERT_EQ(1, InitColorList(lb, "Null|Eins|Zwei", nullptr));
  std::string longer(400, 'M');
  LRESULT plain = SendMessageA(lb, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(longer.c_str()));
  SendMessageA(lb, LB_SETITEMDATA, plain, RGB(10, 20, 30));

  const COLORREF window = GetSysColor(COLOR_WINDOW);
  struct Case {
    int index;
    bool with_palette;
    int result;
    COLORREF swatch;
  } cases[] = {
      {2, true, 1, RGB(80, 175, 7)},
      {static_cast<int>(plain), false, 1, RGB(10, 20, 30)},
      {2, false, 0, window},  // a palette reference without a palette
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.index);
    Canvas canvas;
    DRAWITEMSTRUCT d = item_of(lb, ODT_LISTBOX, c.index, canvas);
    EXPECT_EQ(c.result, OwnerDrawColorList(&d, c.with_palette ? as_palette(pal) : nullptr));
    // swatch: a square of side 18 (the item height less two) from (1, 1)
    for (POINT in : {POINT{10, 10}, POINT{17, 17}}) EXPECT_EQ(c.swatch, canvas.at(in.x, in.y));
    for (POINT out : {POINT{0, 10}, POINT{10, 0}, POINT{10, 19}, POINT{19, 10}})
      EXPECT_EQ(window, canvas.at(out.x, out.y)) << out.x << "," << out.y;
  }

  // Beyond the palette: 0, and only the background.
  InitColorList(lb, "drei|vier|f\xFCnf|sechs", nullptr);  // entries 4..7 refer to indices 0..3
  Canvas beyond;
  DRAWITEMSTRUCT d = item_of(lb, ODT_LISTBOX, 7, beyond);
  EXPECT_EQ(0, OwnerDrawColorList(&d, as_palette(pal)));
  for (int x : {0, 10, 50, 199}) EXPECT_EQ(window, beyond.at(x, 10)) << x;

  // Focus: a dotted rectangle from x = 20 (the text area, one pixel to the
  // left); the text itself stays right of it.
  Canvas focus;
  d = item_of(lb, ODT_LISTBOX, 0, focus, ODS_FOCUS);
  ASSERT_EQ(1, OwnerDrawColorList(&d, as_palette(pal)));
  int marked = 0;
  for (int y = 0; y < Canvas::kHeight; ++y) marked += focus.at(20, y) != window;
  EXPECT_GE(marked, 8);
  for (int y = 0; y < Canvas::kHeight; ++y) EXPECT_EQ(window, focus.at(19, y)) << y;

  // Selected and disabled backgrounds.
  Canvas sel;
  d = item_of(lb, ODT_LISTBOX, 0, sel, ODS_SELECTED);
  OwnerDrawColorList(&d, as_palette(pal));
  EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), sel.at(199, 1));
  EnableWindow(lb, FALSE);
  Canvas off;
  d = item_of(lb, ODT_LISTBOX, 0, off, ODS_SELECTED);
  EXPECT_EQ(1, OwnerDrawStdBackground(&d));
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), off.at(199, 1));
  EXPECT_EQ(0, OwnerDrawStdBackground(nullptr));
  EXPECT_EQ(1, OwnerDrawColorList(nullptr, nullptr));
  d.CtlType = ODT_BUTTON;
  EXPECT_EQ(0, OwnerDrawColorList(&d, nullptr));
  d.itemID = static_cast<UINT>(-1);  // an empty control draws the background only
  EXPECT_EQ(1, OwnerDrawColorList(&d, nullptr));
}
