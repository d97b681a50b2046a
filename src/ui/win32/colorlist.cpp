// Owner-drawn colour lists: filling from a name list and a palette, and
// drawing one entry as a swatch and a name.
#include <windows.h>

#include <cstring>
#include <string>

#include "ui/win32/control_class.h"
#include "ui/win32/control_text.h"
#include "veltra/colorlist.h"

namespace {

// Characters of an entry's name that are drawn.
constexpr std::size_t kColorNameChars = 135;
// High byte of an item data that refers to a palette index.
constexpr DWORD kPaletteIndexTag = 0x01000000;

COLORREF palette_colour(const LOGPALETTE& palette, unsigned index) {
  const PALETTEENTRY& e = palette.palPalEntry[index];
  return RGB(e.peRed, e.peGreen, e.peBlue);
}

}  // namespace

int InitColorList(HWND control, const char* names, const LOGPALETTE* palette) {
  if (!names) return 0;
  UINT insert, set_data;
  if (vt::ui::has_class(control, "LISTBOX")) {
    insert = LB_INSERTSTRING;
    set_data = LB_SETITEMDATA;
  } else if (vt::ui::has_class(control, "COMBOBOX")) {
    insert = CB_INSERTSTRING;
    set_data = CB_SETITEMDATA;
  } else {
    return 0;
  }
  std::string copy;
  try {
    copy = names;
  } catch (...) {
    return 0;
  }
  unsigned i = 0;
  for (char* p = copy.data(); *p;) {
    while (*p == '|') ++p;
    if (!*p) break;
    char* name = p;
    while (*p && *p != '|') ++p;
    if (*p) *p++ = '\0';
    if (palette && i >= palette->palNumEntries) break;
    COLORREF colour = palette ? palette_colour(*palette, i) : kPaletteIndexTag + i;
    LRESULT index = SendMessageA(control, insert, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(name));
    if (index >= 0) SendMessageA(control, set_data, static_cast<WPARAM>(index), colour);
    ++i;
  }
  return 1;
}

int OwnerDrawStdBackground(const DRAWITEMSTRUCT* item) {
  if (!item) return 0;
  int text, back;
  if (!IsWindowEnabled(item->hwndItem)) {
    text = COLOR_GRAYTEXT;
    back = COLOR_BTNFACE;
  } else if (item->itemState & ODS_SELECTED) {
    text = COLOR_HIGHLIGHTTEXT;
    back = COLOR_HIGHLIGHT;
  } else {
    text = COLOR_WINDOWTEXT;
    back = COLOR_WINDOW;
  }
  SetTextColor(item->hDC, GetSysColor(text));
  FillRect(item->hDC, &item->rcItem, GetSysColorBrush(back));
  SetBkMode(item->hDC, TRANSPARENT);
  return 1;
}

int OwnerDrawColorList(const DRAWITEMSTRUCT* item, const LOGPALETTE* palette) {
  if (!item) return 1;
  OwnerDrawStdBackground(item);
  RECT text_rect = item->rcItem;
  if (item->itemID != static_cast<UINT>(-1)) {
    bool combo;
    if (item->CtlType == ODT_LISTBOX) combo = false;
    else if (item->CtlType == ODT_COMBOBOX) combo = true;
    else return 0;
    char name[kColorNameChars + 1];
    vt::ui::list_entry_text(item->hwndItem, combo, static_cast<int>(item->itemID), name, sizeof name);
    DWORD data = static_cast<DWORD>(
        SendMessageA(item->hwndItem, combo ? CB_GETITEMDATA : LB_GETITEMDATA, item->itemID, 0));
    COLORREF colour = data;
    if ((data & 0xFF000000) == kPaletteIndexTag) {
      unsigned index = data & 0xFFFF;
      if (!palette || index >= palette->palNumEntries) return 0;
      colour = palette_colour(*palette, index);
    }

    RECT swatch = item->rcItem;
    swatch.left += 1;
    swatch.top += 1;
    swatch.bottom -= 1;
    swatch.right = swatch.left + (swatch.bottom - swatch.top);
    HBRUSH brush = CreateSolidBrush(colour);
    HGDIOBJ old = SelectObject(item->hDC, brush);
    Rectangle(item->hDC, swatch.left, swatch.top, swatch.right, swatch.bottom);
    SelectObject(item->hDC, old);
    DeleteObject(brush);

    text_rect.left = swatch.right + 2;
    DrawTextA(item->hDC, name, -1, &text_rect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  }
  if (item->itemState & ODS_FOCUS) {
    OffsetRect(&text_rect, -1, 0);
    DrawFocusRect(item->hDC, &text_rect);
  }
  return 1;
}
