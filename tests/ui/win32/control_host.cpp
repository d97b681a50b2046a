#include "control_host.h"

#include <commctrl.h>

#include <cstring>

namespace vt::test {

ControlHost::ControlHost() {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&icc);
  window_ = CreateWindowExA(0, "#32770", "Listen", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480, nullptr,
                            nullptr, GetModuleHandleA(nullptr), nullptr);
}

ControlHost::~ControlHost() {
  if (window_) DestroyWindow(window_);
}

HWND ControlHost::add(const char* cls, int id, DWORD style, int width, int height) {
  return CreateWindowExA(0, cls, "", WS_CHILD | WS_VISIBLE | style, 0, 0, width, height, window_,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         GetModuleHandleA(nullptr), nullptr);
}

HWND example_list_view(ControlHost& host, int id, DWORD view) {
  HWND lv = host.add(WC_LISTVIEWA, id, view);
  const char* titles[] = {"A", "Wert"};
  for (int c = 0; c < 2; ++c) {
    LVCOLUMNA col{LVCF_TEXT | LVCF_WIDTH, 0, 60, const_cast<char*>(titles[c])};
    SendMessageA(lv, LVM_INSERTCOLUMNA, c, reinterpret_cast<LPARAM>(&col));
  }
  const char* cells[2][2] = {{"1", "x"}, {"22", "yy"}};
  for (int r = 0; r < 2; ++r) {
    LVITEMA item{LVIF_TEXT, r, 0, 0, 0, const_cast<char*>(cells[r][0])};
    SendMessageA(lv, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    item.iSubItem = 1;
    item.pszText = const_cast<char*>(cells[r][1]);
    SendMessageA(lv, LVM_SETITEMTEXTA, r, reinterpret_cast<LPARAM>(&item));
  }
  return lv;
}

std::string clipboard_text() {
  std::string out = "<none>";
  if (!OpenClipboard(nullptr)) return "<not opened>";
  if (HANDLE h = GetClipboardData(CF_TEXT)) {
    if (const char* p = static_cast<const char*>(GlobalLock(h))) {
      out.assign(p, strnlen(p, GlobalSize(h)));
      GlobalUnlock(h);
    }
  }
  CloseClipboard();
  return out;
}

void set_clipboard_marker(const char* text) {
  if (!OpenClipboard(nullptr)) return;
  EmptyClipboard();
  std::size_t n = std::strlen(text) + 1;
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, n);
  std::memcpy(GlobalLock(h), text, n);
  GlobalUnlock(h);
  SetClipboardData(CF_TEXT, h);
  CloseClipboard();
}

}  // namespace vt::test
