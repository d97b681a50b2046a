// The nestable wait cursor and the message pump, on the real window system.
#include <windows.h>

#include <gtest/gtest.h>

#include "veltra/dlgitem.h"

namespace {

TEST(WaitCursor, MatchedNestingRestoresTheFirstCursor) {
  const HCURSOR wait = LoadCursorA(nullptr, IDC_WAIT);
  const HCURSOR before = LoadCursorA(nullptr, IDC_CROSS);
  for (int depth : {2, 5}) {  // 5: deeper levels share one slot
    SetCursor(before);
    for (int i = 0; i < depth; ++i) WaitCursor();
    EXPECT_EQ(GetCursor(), wait);
    for (int i = 0; i < depth - 1; ++i) RestoreCursor();
    if (depth == 2) EXPECT_EQ(GetCursor(), wait);  // an inner restore keeps the wait cursor
    RestoreCursor();
    EXPECT_EQ(GetCursor(), before) << depth;
    RestoreCursor();  // unmatched: stays at the outermost cursor
    EXPECT_EQ(GetCursor(), before) << depth;
  }
}

constexpr UINT kCount = WM_APP + 1;
constexpr UINT kAskDispatch = WM_APP + 2;
int g_counted = 0;
BOOL g_nested_result = 0;

LRESULT CALLBACK counting_proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == kCount) return ++g_counted;
  if (msg == kAskDispatch) return g_nested_result = Dispatch(nullptr);
  return DefWindowProcA(w, msg, wp, lp);
}

// A thread routine is stdcall on i686: a plain lambda would not match.
DWORD WINAPI ask_dispatch(void* w) {
  SendMessageA(static_cast<HWND>(w), kAskDispatch, 0, 0);
  return 0;
}

HWND counting_window() {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = counting_proc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "VtDispatchProbe";
  RegisterClassA(&wc);
  return CreateWindowA("VtDispatchProbe", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
}

TEST(Dispatch, EmptiesTheQueueAndPutsTheQuitRequestBack) {
  HWND w = counting_window();
  for (HWND target : {w, HWND(nullptr)}) {
    g_counted = 0;
    for (int i = 0; i < 3; ++i) PostMessageA(w, kCount, 0, 0);
    EXPECT_EQ(Dispatch(target), 0);
    EXPECT_EQ(g_counted, 3);
    MSG m;
    EXPECT_FALSE(PeekMessageA(&m, w, 0, 0, PM_NOREMOVE));
  }
  // A quit request ends the pump and is put back for the caller's loop.
  PostMessageA(w, kCount, 0, 0);
  PostQuitMessage(17);
  EXPECT_NE(Dispatch(nullptr), 0);
  EXPECT_EQ(g_counted, 4);
  MSG m;
  ASSERT_TRUE(PeekMessageA(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(m.wParam, 17u);
  DestroyWindow(w);
}

TEST(Dispatch, LeavesTheQueueAloneInsideAMessageFromAnotherThread) {
  HWND w = counting_window();
  g_counted = 0;
  g_nested_result = 0;
  PostMessageA(w, kCount, 0, 0);
  HANDLE t = CreateThread(nullptr, 0, ask_dispatch, w, 0, nullptr);
  // Wait for the other thread, handling only sent messages meanwhile.
  while (MsgWaitForMultipleObjects(1, &t, FALSE, 10000, QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1) {
    MSG m;
    PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
  CloseHandle(t);
  EXPECT_NE(g_nested_result, 0);
  EXPECT_EQ(g_counted, 0);
  EXPECT_EQ(Dispatch(w), 0);
  EXPECT_EQ(g_counted, 1);
  DestroyWindow(w);
}

}  // namespace
