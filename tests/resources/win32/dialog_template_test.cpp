// The two dialog templates, read back from the compiled resources and
// compared field by field with the layout the dialogs are drawn for.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "resource_ids.h"

namespace {

struct Item {
  DWORD style;
  int id, x, y, cx, cy;
  std::string cls, text;
};

struct Dialog {
  DWORD style;
  int x, y, cx, cy;
  std::string caption, font;
  int points;
  std::vector<Item> items;
};

// Wide resource text to code page 1252 (the templates hold only Latin-1).
std::string narrow(const WORD*& p) {
  std::string s;
  while (*p) s += static_cast<char>(*p++);
  ++p;
  return s;
}

// A class or text field: a 0xFFFF ordinal or a terminated wide string.
std::string name_or_ordinal(const WORD*& p) {
  if (*p != 0xFFFF) return narrow(p);
  WORD ord = p[1];
  p += 2;
  switch (ord) {
    case 0x80: return "Button";
    case 0x81: return "Edit";
    case 0x82: return "Static";
  }
  return "#" + std::to_string(ord);
}

Dialog read_template(int id) {
  HMODULE self = GetModuleHandleA(nullptr);
  HRSRC r = FindResourceA(self, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5) /* RT_DIALOG */);
  EXPECT_NE(nullptr, r);
  const auto* t = static_cast<const DLGTEMPLATE*>(LockResource(LoadResource(self, r)));
  Dialog d{t->style, t->x, t->y, t->cx, t->cy, "", "", 0, {}};
  const WORD* p = reinterpret_cast<const WORD*>(t + 1);
  name_or_ordinal(p);  // menu
  name_or_ordinal(p);  // class
  d.caption = narrow(p);
  if (t->style & DS_SETFONT) {
    d.points = *p++;
    d.font = narrow(p);
  }
  for (int i = 0; i < t->cdit; ++i) {
    p = reinterpret_cast<const WORD*>((reinterpret_cast<uintptr_t>(p) + 3) & ~uintptr_t(3));
    const auto* it = reinterpret_cast<const DLGITEMTEMPLATE*>(p);
    p = reinterpret_cast<const WORD*>(it + 1);
    Item item{it->style, it->id, it->x, it->y, it->cx, it->cy, "", ""};
    item.cls = name_or_ordinal(p);
    item.text = name_or_ordinal(p);
    p = reinterpret_cast<const WORD*>(reinterpret_cast<const BYTE*>(p + 1) + *p);  // creation data
    d.items.push_back(item);
  }
  return d;
}

void expect_dialog(const Dialog& want, const Dialog& got) {
  EXPECT_EQ(want.style, got.style & ~DWORD(DS_SETFONT));
  EXPECT_EQ(want.caption, got.caption);
  EXPECT_EQ(want.font, got.font);
  EXPECT_EQ(want.points, got.points);
  EXPECT_EQ((std::vector<int>{want.x, want.y, want.cx, want.cy}),
            (std::vector<int>{got.x, got.y, got.cx, got.cy}));
  ASSERT_EQ(want.items.size(), got.items.size());
  for (size_t i = 0; i < want.items.size(); ++i) {
    const Item& w = want.items[i];
    const Item& g = got.items[i];
    SCOPED_TRACE("item " + std::to_string(w.id));
    EXPECT_EQ(w.id, g.id);
    EXPECT_STRCASEEQ(w.cls.c_str(), g.cls.c_str());  // class names are case-blind
    EXPECT_EQ(w.text, g.text);
    EXPECT_EQ(w.style, g.style);
    EXPECT_EQ((std::vector<int>{w.x, w.y, w.cx, w.cy}), (std::vector<int>{g.x, g.y, g.cx, g.cy}));
  }
}

const DWORD kChild = WS_CHILD | WS_VISIBLE;

TEST(DialogTemplate, PrintProgress) {
  Dialog want{DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU, 25, 22, 117, 55,
              "Drucken", "Arial", 8,
              {{kChild | WS_GROUP | SS_LEFT, 101, 4, 4, 109, 26, "Static", ""},
               {kChild | WS_TABSTOP | BS_PUSHBUTTON, 1, 36, 36, 45, 14, "Button", "Abbrechen"}}};
  expect_dialog(want, read_template(705));
}

TEST(DialogTemplate, RegistryItemEdit) {
  Dialog want{DS_MODALFRAME | WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU, 40, 60, 296, 171,
              "Windows-Registrierungsdaten bearbeiten", "Arial", 8,
              {{kChild | WS_GROUP | SS_LEFT, 1069, 6, 6, 276, 8, "Static",
                "Erweiterte (lokale) Konfiguration f\xfcr \"%s\":"},
               {0x52810241, 3004, 6, 16, 283, 118, "DataGridWnd", ""},
               {kChild | WS_TABSTOP | ES_READONLY | ES_AUTOHSCROLL, 1070, 6, 136, 283, 10, "Edit", ""},
               {kChild | WS_TABSTOP | BS_DEFPUSHBUTTON, 1, 6, 152, 45, 14, "Button", "Schlie\xdf" "en"}}};
  expect_dialog(want, read_template(709));
}

}  // namespace
