// A message pump for callers that wait for a long operation.
#include <windows.h>

#include "veltra/dlgitem.h"

extern "C" BOOL Dispatch(HWND window) {
  // Pumping inside a message sent by another thread could re-enter the
  // sender's caller; leave the queue to the outer loop then.
  if (BOOL sent = InSendMessage()) return sent;
  MSG msg;
  while (PeekMessageA(&msg, window, 0, 0, PM_REMOVE)) {
    // The quit request belongs to the outer loop: put it back and stop.
    if (msg.message == WM_QUIT) return PostMessageA(msg.hwnd, msg.message, msg.wParam, msg.lParam);
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}
