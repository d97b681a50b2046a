// The end of a print document, shared by both layouts.
#include <windows.h>

#include "print/win32/job_state.h"
#include "veltra/message.h"

namespace vt::print {

namespace {
constexpr UINT kMsgSpoolerMemory = 204;
constexpr UINT kMsgPrinterError = 205;
}  // namespace

int finish_document(HDC dc, int started, bool page_open, const char* job_name, bool show) {
  int result = started;
  if (started > 0) {
    if (job_state().abort) {
      // Abandoned: no page or document end, no message; the DC's deletion
      // discards what the spooler holds.
      AbortDoc(dc);
      return 0;
    }
    if (page_open) EndPage(dc);
    result = EndDoc(dc);
  }
  if (result < 0 && show) {
    UINT id = (result == SP_OUTOFDISK || result == SP_OUTOFMEMORY) ? kMsgSpoolerMemory : kMsgPrinterError;
    MessageFMTBox(nullptr, id, 0, job_name);
  }
  return result > 0 && !job_state().abort ? 1 : 0;
}

}  // namespace vt::print
