// The nestable wait cursor. The stack holds the cursors replaced by the
// first three levels; deeper levels reuse the last slot, so any number of
// matched WaitCursor/RestoreCursor calls ends with the first cursor again.
#include <windows.h>

#include <cstdint>

#include "veltra/dlgitem.h"

namespace {

constexpr int kSlots = 3;
constexpr int8_t kMaxDepth = kSlots - 1;

int8_t g_depth = 0;
HCURSOR g_saved[kSlots] = {};

// A hide/show pair makes the new shape appear without waiting for the mouse
// to move.
void refresh() {
  ShowCursor(FALSE);
  ShowCursor(TRUE);
}

}  // namespace

extern "C" void WaitCursor(void) {
  g_saved[g_depth] = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  refresh();
  if (++g_depth > kMaxDepth) g_depth = kMaxDepth;
}

extern "C" void RestoreCursor(void) {
  if (--g_depth < 0) g_depth = 0;
  SetCursor(g_saved[g_depth]);
  refresh();
}
