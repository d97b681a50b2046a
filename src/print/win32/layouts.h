// The two layouts of a background print job, run on the job's worker thread.
#pragma once

#include <windows.h>

#include "print/line_reader.h"
#include "veltra/print.h"

namespace vt::print {

// What the worker hands to a layout.
struct PrintJob {
  HWND owner;
  HDC dc;
  LineReader& reader;
  const LOGFONTA& font;
  const PrintLayout& layout;
  const char* name;  // the job name
  bool show;         // show messages
};

enum class TableOutcome { printed, margins_failed, declined };

// The table layout; `result` is the job's result when it did not decline.
TableOutcome print_table(const PrintJob& job, int& result);

// The plain layout; the job's result.
int print_plain(const PrintJob& job);

}  // namespace vt::print
