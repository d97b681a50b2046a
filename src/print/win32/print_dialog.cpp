// The print dialog on a thread of its own, and printer setup with the
// fall-back to the default printer.
#include <windows.h>

#include <objbase.h>

#include <new>

#include "print/win32/job_state.h"
#include "veltra/message.h"
#include "veltra/ole.h"
#include "veltra/print.h"

namespace vt::print {

namespace {
// QueryWin32Param question: Windows Vista or later.
constexpr int kAskVistaOrLater = 11;
// The dialog thread's first stack commit, one page; it grows into the
// program's default reserve as the common dialog needs (see kWorkerStack in
// print_file.cpp).
constexpr DWORD kDialogStack = 4096;
// A dialog hung by a faulty driver is given up after 50 minutes.
constexpr DWORD kDialogTimeoutMs = 3000000;
constexpr DWORD kTerminatedExitCode = 0xFFFFFFFF;
constexpr BOOL kDialogTerminated = 2;

constexpr UINT kMsgSetupException = 208;
constexpr UINT kMsgSetupInvalid = 209;
constexpr UINT kMsgSystemError = 322;
constexpr DWORD kSetupFlags = PD_NOSELECTION | PD_NOPAGENUMS;
// The error code that stands for an exception in the dialog.
constexpr DWORD kErrorException = 1;

struct DialogCall {
  PRINTDLGA* pd;
  BOOL result = 0;
  DWORD error = 0;
};

DWORD WINAPI dialog_thread(void* arg) {
  auto* call = static_cast<DialogCall*>(arg);
  HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  HWND owner = call->pd->hwndOwner;
  call->pd->hwndOwner = nullptr;
  call->result = PrintDlgA(call->pd);
  call->error = call->result ? 0 : CommDlgExtendedError();
  call->pd->hwndOwner = owner;
  if (SUCCEEDED(com)) CoUninitialize();
  return 0;
}
}  // namespace

BOOL run_print_dialog(PRINTDLGA* pd, DWORD* error) {
  *error = 0;
  if (!QueryWin32Param(kAskVistaOrLater)) {
    BOOL r = PrintDlgA(pd);
    if (!r) *error = CommDlgExtendedError();
    return r;
  }
  // The call record lives on the heap: a terminated thread must not be
  // left pointing into this frame.
  auto* call = new (std::nothrow) DialogCall{pd};
  if (!call) return 0;
  HANDLE thread = CreateThread(nullptr, kDialogStack, dialog_thread, call, 0, nullptr);
  if (!thread) {
    delete call;
    return 0;
  }
  if (WaitForSingleObject(thread, kDialogTimeoutMs) != WAIT_OBJECT_0) {
    TerminateThread(thread, kTerminatedExitCode);
    CloseHandle(thread);
    return kDialogTerminated;  // the call record is abandoned with the thread
  }
  CloseHandle(thread);
  BOOL r = call->result;
  *error = call->error;
  delete call;
  return r;
}

}  // namespace vt::print

using namespace vt::print;

BOOL PrintDlg2(PRINTDLGA* pd) {
  if (!pd) return 0;
  DWORD error;
  return run_print_dialog(pd, &error);
}

int PrinterSetup(HWND owner, PRINTDLGA* pd, DWORD flags) {
  if (!pd) return 0;
  pd->hwndOwner = IsWindow(owner) ? owner : nullptr;
  pd->lStructSize = sizeof(PRINTDLGA);
  pd->Flags = (pd->Flags & ~PD_RETURNDEFAULT) | kSetupFlags | flags;
  if (pd->hDevNames) {
    if (auto* names = static_cast<DEVNAMES*>(GlobalLock(pd->hDevNames))) {
      names->wDefault = 0;
      GlobalUnlock(pd->hDevNames);
    }
  }
  DWORD error = 0;
  run_print_dialog(pd, &error);
  if (error != 0) {
    MessageFMTBox(nullptr, error == kErrorException ? kMsgSetupException : kMsgSetupInvalid, 0);
    if (pd->hDevNames) GlobalFree(pd->hDevNames);
    if (pd->hDevMode) GlobalFree(pd->hDevMode);
    pd->hDevNames = nullptr;
    pd->hDevMode = nullptr;
    pd->Flags = PD_RETURNDEFAULT;
    run_print_dialog(pd, &error);
    if (error == 0) {
      pd->Flags = flags | kSetupFlags;
      run_print_dialog(pd, &error);
    }
  }
  if (error != 0) {
    MessageFMTBox(nullptr, kMsgSystemError, 0);
    return 0;
  }
  return 1;
}
