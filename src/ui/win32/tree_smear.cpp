// Double buffering for tree views, which otherwise smear while scrolling on
// systems from Windows 7 on.
#include <windows.h>
#include <commctrl.h>

#include "veltra/listctl.h"
#include "veltra/ole.h"

namespace {
// Query of QueryWin32Param: Windows 7 or later.
constexpr int kQueryWindows7 = 11;
}  // namespace

void TVWorkAroundSmeare(HWND tree) {
  if (tree && QueryWin32Param(kQueryWindows7))
    SendMessageA(tree, TVM_SETEXTENDEDSTYLE, TVS_EX_DOUBLEBUFFER, TVS_EX_DOUBLEBUFFER);
}
