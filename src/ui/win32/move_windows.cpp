// Moving and resizing windows by a delta, at once or in one deferred batch.
#include <windows.h>

#include <cstdarg>

#include "veltra/dlgitem.h"

namespace {

// Room the batch keeps beyond the caller's estimate, so that a few extra
// windows do not make the system grow it.
constexpr int kDeferSpare = 4;

// The open batch; null when moves happen at once. For the user-interface
// thread only.
HDWP g_batch = nullptr;

// The window's rectangle where MoveWindow expects it: screen coordinates for
// a top-level window, the parent's client coordinates for a child.
RECT placement(HWND w) {
  RECT r = {};
  GetWindowRect(w, &r);
  if (GetWindowLongPtrA(w, GWL_STYLE) & WS_CHILD)
    MapWindowPoints(HWND_DESKTOP, GetParent(w), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

void place(HWND w, int x, int y, int cx, int cy, UINT keep) {
  if (g_batch)
    g_batch = DeferWindowPos(g_batch, w, nullptr, x, y, cx, cy, keep | SWP_NOZORDER | SWP_NOACTIVATE);
  else
    MoveWindow(w, x, y, cx, cy, TRUE);
}

}  // namespace

extern "C" BOOL InitDeferWindow(int n) {
  g_batch = BeginDeferWindowPos(n + kDeferSpare);
  return g_batch != nullptr;
}

extern "C" BOOL ExitDeferWindow(void) {
  if (!g_batch) return FALSE;
  BOOL r = EndDeferWindowPos(g_batch);
  g_batch = nullptr;
  return r;
}

extern "C" void MoveWindowRelative(HWND window, int dx, int dy) {
  if (!window || (dx == 0 && dy == 0)) return;
  RECT r = placement(window);
  place(window, r.left + dx, r.top + dy, r.right - r.left, r.bottom - r.top, SWP_NOSIZE);
}

extern "C" void ResizeWindowRelative(HWND window, int dwidth, int dheight) {
  if (!window || (dwidth == 0 && dheight == 0)) return;
  RECT r = placement(window);
  place(window, r.left, r.top, r.right - r.left + dwidth, r.bottom - r.top + dheight, SWP_NOMOVE);
}

extern "C" void MoveDlgItemsRelative(HWND dialog, int dx, int dy, ...) {
  va_list ids;
  va_start(ids, dy);
  for (int id; (id = va_arg(ids, int)) != 0;) MoveWindowRelative(GetDlgItem(dialog, id), dx, dy);
  va_end(ids);
}

extern "C" void ResizeDlgItemsRelative(HWND dialog, int dwidth, int dheight, ...) {
  va_list ids;
  va_start(ids, dheight);
  for (int id; (id = va_arg(ids, int)) != 0;)
    ResizeWindowRelative(GetDlgItem(dialog, id), dwidth, dheight);
  va_end(ids);
}
