// The process-wide state of the one print job that runs at a time.
#pragma once

#include <windows.h>

#include "print/limits.h"

namespace vt::print {

struct JobState {
  HWND dialog = nullptr;  // the progress dialog of the running job
  bool abort = false;     // set by the dialog's "Abbrechen"
  DOCINFOA doc{};         // for StartDocA; names `name`
  char name[kMaxJobNameChars + 1] = "";
};

JobState& job_state();

// PrintDlgA on the calling thread or the dialog thread; *error receives
// CommDlgExtendedError() of the thread that ran the dialog.
BOOL run_print_dialog(PRINTDLGA* pd, DWORD* error);

// The end of a document of either layout: abandoned when the user aborted,
// else the open page and the document are closed. A negative result of
// StartDocA (`started` <= 0) or EndDoc is shown as message 204 or 205 with
// the job name when `show`. 1 when the document printed, else 0.
int finish_document(HDC dc, int started, bool page_open, const char* job_name, bool show);

}  // namespace vt::print
