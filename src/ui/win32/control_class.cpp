#include "ui/win32/control_class.h"

namespace vt::ui {

bool has_class(HWND window, const char* name) {
  char cls[kClassNameChars + 1];
  if (!window || !GetClassNameA(window, cls, sizeof cls)) return false;
  return lstrcmpiA(cls, name) == 0;
}

}  // namespace vt::ui
