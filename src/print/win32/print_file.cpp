// Background printing of a text file: the worker thread and its start.
#include <windows.h>

#include <share.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "frame/no_throw.h"
#include "print/pagers.h"
#include "print/sources.h"
#include "print/win32/job_state.h"
#include "print/win32/layouts.h"
#include "veltra/dlgitem.h"
#include "veltra/message.h"

namespace vt::print {

namespace {
constexpr UINT kMsgCannotOpen = 203;
// The stack size the worker asks of CreateThread. Without
// STACK_SIZE_PARAM_IS_A_RESERVATION, Windows takes it as the stack's first
// commit, rounded up to a whole page, and reserves the program's default
// stack (1 MB unless linked otherwise) behind it: the worker's spooler and
// GDI calls still grow into the reserve, and the request only keeps the
// first commit at one page, as callers of the print job have always had it.
constexpr DWORD kWorkerStack = 3072;
constexpr int kFileNameSize = 256;
constexpr int kJobNameSize = 256;
constexpr DWORD kStartPollMs = 10;
enum StartState : LONG { kStarting = 1, kFileOpen = 3 };

// The inputs of a job, copied before the worker starts so that nothing of
// the caller's is read afterwards.
struct JobInputs {
  HWND owner;
  PRINTDLGA pd;
  char file[kFileNameSize];
  LOGFONTA font;
  PrintLayout layout;
  bool show;
};

volatile LONG g_start_state = 0;

int run_job(JobInputs& in) {
  std::FILE* f = _fsopen(in.file, "rb", _SH_DENYNO);
  if (!f) {
    if (in.show) MessageFMTBox(nullptr, kMsgCannotOpen, 0, in.file);
    return 0;
  }
  g_start_state = kFileOpen;  // one aligned store, read by PrintFile's loop

  char name[kJobNameSize] = "";
  if (in.owner) GetWindowTextA(in.owner, name, sizeof name);
  FileSource source(f);
  LineReader reader(source);
  int orientation = (in.layout.flags & kAutoOrient) ? auto_orientation(reader) : 0;
  int result = 0;
  if (HDC dc = GetPrinterDC(in.owner, &in.pd, name, orientation)) {
    PrintJob job{in.owner, dc, reader, in.font, in.layout, name, in.show};
    TableOutcome table = TableOutcome::declined;
    if (!(in.layout.flags & kPlainText)) {
      table = print_table(job, result);
      reader.rewind();
    }
    if (table == TableOutcome::declined) result = print_plain(job);
    DeletePrinterDC(dc, in.owner);
  }
  std::fclose(f);
  return result;
}

DWORD WINAPI worker(void* arg) {
  std::unique_ptr<JobInputs> in(static_cast<JobInputs*>(arg));
  int result = vt::frame::or_failure(0, [&] { return run_job(*in); });
  DeleteFileA(in->file);  // consumed whatever the outcome
  return static_cast<DWORD>(result);
}
}  // namespace

}  // namespace vt::print

using namespace vt::print;

int32_t PrintFile(HWND owner, const PRINTDLGA* pd, const char* file, const LOGFONTA* font,
                  const PrintLayout* layout, int32_t show) {
  if (!pd || !file || !font || !layout) return 0;
  if (std::strlen(file) >= kFileNameSize) {
    // A name the job cannot hold: cutting it would print and delete another file.
    if (static_cast<int16_t>(show) != 0) MessageFMTBox(nullptr, kMsgCannotOpen, 0, file);
    return 0;
  }
  std::unique_ptr<JobInputs> in(new (std::nothrow) JobInputs());
  if (!in) return 0;
  in->owner = owner;
  std::memcpy(&in->pd, pd, sizeof in->pd);
  std::snprintf(in->file, sizeof in->file, "%s", file);
  in->font = *font;
  in->layout = *layout;
  in->show = static_cast<int16_t>(show) != 0;

  g_start_state = kStarting;
  HANDLE thread = CreateThread(nullptr, kWorkerStack, worker, in.get(), 0, nullptr);
  if (!thread) return 0;
  in.release();  // the worker owns its inputs now
  int32_t result = 0;
  for (;;) {
    if (g_start_state == kFileOpen) {
      result = 1;
      break;
    }
    if (WaitForSingleObject(thread, 0) == WAIT_OBJECT_0) {
      DWORD code = 0;
      GetExitCodeThread(thread, &code);
      result = code != 0 ? 1 : 0;
      break;
    }
    Dispatch(nullptr);
    // Wake for the caller's messages, the worker's end, or a look at the
    // start state.
    MsgWaitForMultipleObjects(1, &thread, FALSE, kStartPollMs, QS_ALLINPUT);
  }
  CloseHandle(thread);
  return result;
}
