// The plain layout on the printer: word-wrapped lines in a fixed-pitch
// version of the caller's font.
#include <windows.h>

#include "print/pagers.h"
#include "print/win32/gdi_canvas.h"
#include "print/win32/job_state.h"
#include "print/win32/layouts.h"
#include "veltra/dlgitem.h"

namespace vt::print {

namespace {
constexpr int kPointsPerInch = 72;

// The caller's font size in points, as the owner's screen shows it.
int screen_points(HWND owner, const LOGFONTA& font) {
  HDC screen = GetDC(owner);
  HFONT f = CreateFontIndirectA(&font);
  HGDIOBJ old = SelectObject(screen, f);
  TEXTMETRICA tm{};
  GetTextMetricsA(screen, &tm);
  int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  SelectObject(screen, old);
  DeleteObject(f);
  ReleaseDC(owner, screen);
  if (dpi <= 0) return 0;
  return ((tm.tmHeight - tm.tmInternalLeading) * kPointsPerInch + dpi / 2) / dpi;
}
}  // namespace

int print_plain(const PrintJob& job) {
  LOGFONTA lf = job.font;
  lf.lfHeight = screen_points(job.owner, job.font) * GetDeviceCaps(job.dc, LOGPIXELSY) / kPointsPerInch;
  lf.lfOutPrecision = 0;
  lf.lfClipPrecision = 0;
  lf.lfQuality = 0;
  lf.lfPitchAndFamily = static_cast<BYTE>((lf.lfPitchAndFamily & ~VARIABLE_PITCH) | FIXED_PITCH);
  SelectedFont font(job.dc, lf);

  TEXTMETRICA tm{};
  GetTextMetricsA(job.dc, &tm);
  const int line_height = tm.tmHeight + tm.tmExternalLeading;
  SetTextColor(job.dc, GetSysColor(COLOR_WINDOWTEXT));
  SetBkColor(job.dc, RGB(255, 255, 255));
  SetTextAlign(job.dc, TA_LEFT | TA_TOP);

  PageBox box;
  if (!PrtCalcMargins(job.dc, job.layout.margins, &box.left, &box.right, &box.top, &box.bottom, job.show))
    return 0;
  int started = StartDocA(job.dc, &job_state().doc);
  if (started <= 0) return finish_document(job.dc, started, false, job.name, job.show);

  GdiMeasure measure(job.dc);
  GdiCanvas canvas(job.dc, font.font(), nullptr);
  PlainPager pager(canvas, measure, box, line_height, job.layout.flags & kPageNumbers);
  for_each_line(job.reader, [&](const std::string& line) {
    Dispatch(nullptr);
    if (job_state().abort) return false;
    pager.print_line(line);
    return true;
  });
  return finish_document(job.dc, started, pager.page_open(), job.name, job.show);
}

}  // namespace vt::print
