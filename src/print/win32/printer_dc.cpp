// Printer device contexts of a print job, the progress dialog "Drucken" and
// the abort procedure.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "frame/attach.h"
#include "print/win32/job_state.h"
#include "resources/resource_ids.h"
#include "veltra/message.h"
#include "veltra/print.h"

namespace vt::print {

namespace {
constexpr UINT kMsgNoDriver = 206;
constexpr char kEllipsis[] = "...";

// The dialog's line: the job name and the suffix; a name too long for the
// buffer keeps its start and ends with "...".
void progress_text(const char* job, char (&out)[kProgressTextSize]) {
  const size_t room = sizeof out - sizeof kProgressSuffix;  // characters left for the name
  size_t n = std::strlen(job);
  if (n <= room) {
    std::snprintf(out, sizeof out, "%s%s", job, kProgressSuffix);
  } else {
    std::snprintf(out, sizeof out, "%.*s%s%s", static_cast<int>(room - (sizeof kEllipsis - 1)), job, kEllipsis,
                  kProgressSuffix);
  }
}

// Restores a DEVMODE orientation changed for the creation of one DC.
struct OrientationOverride {
  DEVMODEA* dm = nullptr;
  short orientation = 0;
  DWORD fields = 0;
  OrientationOverride(DEVMODEA* d, int wanted) {
    if (!d || wanted == 0) return;
    dm = d;
    orientation = d->dmOrientation;
    fields = d->dmFields;
    d->dmOrientation = static_cast<short>(wanted);
    d->dmFields |= DM_ORIENTATION;
  }
  ~OrientationOverride() {
    if (!dm) return;
    dm->dmOrientation = orientation;
    dm->dmFields = fields;
  }
};
}  // namespace

JobState& job_state() {
  static JobState state;
  return state;
}

}  // namespace vt::print

using namespace vt::print;

HDC GetPrinterDC(HWND owner, PRINTDLGA* pd, const char* job, int orientation) {
  if (!pd) return nullptr;
  if (!pd->hDevNames) {
    if (!PrinterSetup(owner, pd, PD_PRINTSETUP) || !pd->hDevNames) return nullptr;
  }
  HCURSOR old_cursor = SetCursor(LoadCursor(nullptr, IDC_WAIT));
  auto* names = static_cast<DEVNAMES*>(GlobalLock(pd->hDevNames));
  auto* mode = pd->hDevMode ? static_cast<DEVMODEA*>(GlobalLock(pd->hDevMode)) : nullptr;
  HDC dc = nullptr;
  if (names && !(pd->Flags & PD_PRINTTOFILE)) {
    const char* device = reinterpret_cast<const char*>(names) + names->wDeviceOffset;
    {
      OrientationOverride o(mode, orientation);
      dc = CreateDCA(nullptr, device, nullptr, mode);
    }
    if (!dc) {
      MessageFMTBox(nullptr, kMsgNoDriver, MB_ICONHAND);
    } else {
      JobState& s = job_state();
      std::snprintf(s.name, sizeof s.name, "%s", job ? job : "");
      s.doc = DOCINFOA{};
      s.doc.cbSize = sizeof(DOCINFOA);
      s.doc.lpszDocName = s.name;
      s.abort = false;
      if (owner) {
        s.dialog = CreateDialogParamA(static_cast<HINSTANCE>(vt::frame::module_handle()),
                                      MAKEINTRESOURCEA(IDD_PRINT_PROGRESS), owner, prt_printerdlg, 0);
        if (s.dialog) {
          char text[kProgressTextSize];
          progress_text(job ? job : "", text);
          SetDlgItemTextA(s.dialog, IDC_PRINT_MESSAGE, text);
          ShowWindow(s.dialog, SW_SHOWNORMAL);
          UpdateWindow(s.dialog);
        }
        SetAbortProc(dc, PrinterAbortProc);
      }
    }
  }
  if (mode) GlobalUnlock(pd->hDevMode);
  if (names) GlobalUnlock(pd->hDevNames);
  SetCursor(old_cursor);
  return dc;
}

void DeletePrinterDC(HDC dc, HWND) {
  JobState& s = job_state();
  if (dc) DeleteDC(dc);
  if (s.dialog) {
    DestroyWindow(s.dialog);
    s.dialog = nullptr;
  }
  s.abort = false;
}

BOOL CALLBACK PrinterAbortProc(HDC, int code) {
  if (code != 0 && code != SP_OUTOFDISK) return TRUE;
  JobState& s = job_state();
  MSG msg;
  while (!s.abort && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (s.dialog && IsDialogMessageA(s.dialog, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return !s.abort;
}

INT_PTR CALLBACK prt_printerdlg(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      job_state().abort = false;
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wparam) == IDC_PRINT_CANCEL) {
        job_state().abort = true;
        ShowWindow(dialog, SW_HIDE);
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}
