// The table layout on the printer: measured on the owner's screen, printed
// in the largest of the table font sizes that fits the page width.
#include <windows.h>

#include <algorithm>

#include "print/columns.h"
#include "print/pagers.h"
#include "print/win32/gdi_canvas.h"
#include "print/win32/job_state.h"
#include "print/win32/layouts.h"
#include "port/strings.h"
#include "veltra/dlgitem.h"

namespace vt::print {

namespace {
constexpr unsigned kPageWordId = 2;  // "Seite"
constexpr int kPageWordSize = 16;
constexpr int kBoldWeight = 700;
constexpr int kNormalWeight = 400;
constexpr char kFallbackFace[] = "Arial";
constexpr BYTE kFallbackPitch = 0x32;  // variable pitch, Swiss family

// The caller's font at the reference size; a fixed-pitch or Courier font
// is replaced by Arial, so that table columns measure like print.
LOGFONTA reference_font(const LOGFONTA& font) {
  LOGFONTA lf = font;
  lf.lfHeight = kReferenceHeight;
  lf.lfWidth = 0;
  lf.lfWeight = kNormalWeight;
  if ((lf.lfPitchAndFamily & FIXED_PITCH) || _strnicmp(lf.lfFaceName, "Courier", 7) == 0) {
    lf.lfPitchAndFamily = kFallbackPitch;
    lstrcpynA(lf.lfFaceName, kFallbackFace, LF_FACESIZE);
  }
  return lf;
}

int digit_width(HDC dc) {
  SIZE s{0, 0};
  GetTextExtentPoint32A(dc, "0", 1, &s);
  return s.cx;
}
}  // namespace

TableOutcome print_table(const PrintJob& job, int& result) {
  result = 0;
  Columns cols = detect_columns(read_window(job.reader));
  if (cols.count < 2) return TableOutcome::declined;

  LOGFONTA lf = reference_font(job.font);
  TableMetrics table;
  int screen_digit;
  PageBox box;
  {
    HDC screen = GetDC(job.owner);
    bool ok;
    {
      SelectedFont f(screen, lf);
      screen_digit = std::max(digit_width(screen), kMinScreenDigitWidth);
      GdiMeasure measure(screen);
      table = measure_table(job.reader, cols, measure, screen_digit);
      ok = PrtCalcMargins(job.dc, job.layout.margins, &box.left, &box.right, &box.top, &box.bottom, job.show);
    }
    ReleaseDC(job.owner, screen);
    if (!ok) return TableOutcome::margins_failed;
  }

  int height = fit_table_height(table.table_width, screen_digit, box.right - box.left, [&](int h) {
    LOGFONTA sized = lf;
    sized.lfHeight = h;
    SelectedFont f(job.dc, sized);
    return digit_width(job.dc);
  });
  if (height == 0) return TableOutcome::declined;

  lf.lfHeight = height;
  SelectedFont regular(job.dc, lf);
  LOGFONTA bold_lf = lf;
  bold_lf.lfWeight = kBoldWeight;
  HFONT bold = CreateFontIndirectA(&bold_lf);
  const int printer_digit = digit_width(job.dc);
  TEXTMETRICA tm{};
  GetTextMetricsA(job.dc, &tm);
  for (int& w : table.widths) w = static_cast<int>(static_cast<long long>(w) * printer_digit / screen_digit);

  TablePage page;
  page.box = box;
  page.row_height = tm.tmHeight > 0 ? tm.tmHeight : 1;
  page.gap = printer_digit;
  page.flags = job.layout.flags;
  page.job_name = job.name;
  char word[kPageWordSize];
  vt::port::load_string(kPageWordId, word, sizeof word);
  page.page_word = word;

  int started = StartDocA(job.dc, &job_state().doc);
  bool open = false;
  if (started > 0) {
    job.reader.rewind();
    std::string skipped;
    for (int i = 0; i <= cols.header_line; ++i) job.reader.read(skipped);
    SetBkMode(job.dc, TRANSPARENT);
    SetBkColor(job.dc, RGB(255, 255, 255));
    SetTextColor(job.dc, RGB(0, 0, 0));
    GdiCanvas canvas(job.dc, regular.font(), bold);
    TablePager pager(canvas, cols, table, page);
    for_each_line(job.reader, [&](const std::string& line) {
      Dispatch(nullptr);
      if (job_state().abort) return false;
      pager.print_line(line);
      Dispatch(nullptr);
      return true;
    });
    open = pager.page_open();
    SelectObject(job.dc, regular.font());
  }
  result = finish_document(job.dc, started, open, job.name, job.show);
  DeleteObject(bold);
  return TableOutcome::printed;
}

}  // namespace vt::print
