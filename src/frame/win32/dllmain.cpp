// The DLL entry point. Kept alone in its file so that test programs, which
// link the library statically, do not pull it in.
#include <windows.h>

#include "frame/attach.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH)
    vt::frame::process_attach(instance);
  else if (reason == DLL_PROCESS_DETACH)
    vt::frame::process_detach();
  return TRUE;
}
