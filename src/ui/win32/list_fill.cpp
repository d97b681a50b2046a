// Filling list boxes and combo boxes with numbers and string-table texts.
#include <windows.h>

#include <cstdio>

#include "port/strings.h"
#include "ui/win32/control_class.h"
#include "veltra/listctl.h"

namespace vt::ui {

namespace {

// Characters of one string-table entry put into a list.
constexpr int kListStringChars = 255;

struct ListMessages {
  UINT reset, insert, select, item_data;
};

bool list_messages(HWND control, ListMessages* m, int* kind) {
  if (has_class(control, "Listbox")) {
    *m = {LB_RESETCONTENT, LB_INSERTSTRING, LB_SETCURSEL, LB_SETITEMDATA};
    *kind = 1;
    return true;
  }
  if (has_class(control, "Combobox")) {
    *m = {CB_RESETCONTENT, CB_INSERTSTRING, CB_SETCURSEL, CB_SETITEMDATA};
    *kind = 2;
    return true;
  }
  return false;
}

// Inserts text at the end; the new index, negative on failure.
LRESULT append(HWND control, const ListMessages& m, const char* text) {
  return SendMessageA(control, m.insert, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text));
}

}  // namespace

}  // namespace vt::ui

using namespace vt::ui;

int GetListMessages(HWND control, UINT* reset, UINT* insert, UINT* setSelection, UINT* setItemData) {
  ListMessages m;
  int kind;
  if (!reset || !insert || !setSelection || !setItemData || !list_messages(control, &m, &kind))
    return 0;
  *reset = m.reset;
  *insert = m.insert;
  *setSelection = m.select;
  *setItemData = m.item_data;
  return kind;
}

int InitListInt(HWND dialog, int id, int first, int last, int select) {
  HWND control = GetDlgItem(dialog, id);
  ListMessages m;
  int kind;
  if (!list_messages(control, &m, &kind)) return 0;
  SendMessageA(control, m.reset, 0, 0);
  // A long long counter, so that last == INT_MAX ends the loop.
  for (long long n = first; n <= last; ++n) {
    char text[16];
    std::snprintf(text, sizeof text, "%lld", n);
    LRESULT index = append(control, m, text);
    if (index < 0) return 0;
    if (n == select) SendMessageA(control, m.select, static_cast<WPARAM>(index), 0);
  }
  return 1;
}

int InitListStr(HWND dialog, int id, HINSTANCE module, UINT firstId, int count, int select) {
  HWND control = GetDlgItem(dialog, id);
  ListMessages m;
  int kind;
  if (!list_messages(control, &m, &kind)) return 0;
  SendMessageA(control, m.reset, 0, 0);
  for (int i = 0; i < count; ++i) {
    char text[kListStringChars + 1];
    if (!vt::port::load_module_string(module, firstId + i, text, sizeof text)) return 0;
    LRESULT index = append(control, m, text);
    if (index < 0) return 0;
    if (index == select) SendMessageA(control, m.select, static_cast<WPARAM>(index), 0);
  }
  return 1;
}
