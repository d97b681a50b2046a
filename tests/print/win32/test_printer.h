// A real printer for the print tests: wine's PostScript driver with the
// project's own PPD (A4, 300 dpi) on the port "FILE:". The spooler asks for
// the output file of each job in its "Print to File" dialog; a PrintTarget
// answers that dialog with a file under the build's print-out folder and
// presses "Abbrechen" in the progress dialog when asked to.
#pragma once

#include <windows.h>

#include <string>

#include "support/win32/dialog_watcher.h"

namespace vt::print::test {

constexpr char kTestPrinter[] = "Veltra Test Printer";

// Installs the printer once per process (and makes it the default); false
// when the spooler refuses.
bool install_test_printer();

// A printer-settings record naming the test printer (hDevNames and a
// DEVMODE from the driver); free it with free_settings.
PRINTDLGA test_printer_settings();
void free_settings(PRINTDLGA& pd);
// Settings naming a printer that does not exist (no DEVMODE).
PRINTDLGA missing_printer();

// Where output and artefacts go (a folder of the build tree; a Windows path).
std::string print_out_dir();

// A copy of tests/print/data/<name> (or of `text`) in the print-out folder,
// to be consumed by PrintFile.
std::string stage_file(const std::string& name, const std::string& text);
std::string data_text(const char* name);

bool file_exists(const std::string& path);
// Waits until path no longer exists; false after timeout_ms.
bool wait_gone(const std::string& path, unsigned timeout_ms = 60000);

// Waits, pumping this thread's messages (its windows must answer the
// watcher), until the watcher has seen n dialogs; false after timeout_ms.
bool pump_until_seen(vt::test::DialogWatcher& w, size_t n, unsigned timeout_ms = 20000);

// Answers the dialogs of one job: "Print to File" gets out_file, the
// progress dialog is pressed "Abbrechen" when cancel is set, message boxes
// are confirmed and recorded.
class PrintTarget {
 public:
  PrintTarget(const std::string& out_file, bool cancel = false);
  vt::test::DialogWatcher& watcher() { return watcher_; }
  // The texts of the library's message boxes seen so far.
  std::vector<std::string> messages() const;
  // The captions of all dialogs seen, for failure messages.
  std::string captions() const;
  // The text of the progress dialog's line, when one was seen.
  std::string progress_line() const;

 private:
  vt::test::DialogAction answer(const vt::test::SeenDialog& d);
  std::string out_;
  bool cancel_;
  vt::test::DialogWatcher watcher_;
};

}  // namespace vt::print::test
