// A real printer for the print tests: wine's PostScript driver with the
// project's own PPD (A4, 300 dpi) on the port "FILE:". The spooler asks for
// the output file of each job in its "Print to File" dialog; a PrintTarget
// answers that dialog with a file under the build's print-out folder and
// presses "Abbrechen" in the progress dialog when asked to.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "support/win32/dialog_watcher.h"

namespace vt::print::test {

constexpr char kTestPrinter[] = "Veltra Test Printer";

// Installs the printer once per process as the default; false when refused.
bool install_test_printer();
// Settings naming the test printer in portrait (hDevNames and DEVMODE).
PRINTDLGA test_printer_settings();
// Settings naming a printer that does not exist (no DEVMODE).
PRINTDLGA missing_printer();
void free_settings(PRINTDLGA& pd);

// The print-out folder of the build tree, as a Windows path.
std::string print_out_dir();
// Writes `text` to <print-out>/<name> and returns that path.
std::string stage_file(const std::string& name, const std::string& text);
// The contents of tests/print/data/<name>.
std::string data_text(const char* name);
bool file_exists(const std::string& path);

// Pumps this thread's messages (its windows must answer the watcher) until
// the watcher has seen n dialogs; false after timeout_ms.
bool pump_until_seen(vt::test::DialogWatcher& w, size_t n, unsigned timeout_ms = 20000);

// The test printer's settings and an owner window captioned "Messwerte".
class PrinterTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  PRINTDLGA pd_{};
  HWND owner_ = nullptr;
};

// Answers the dialogs of one job: "Print to File" gets out_file, the
// progress dialog is pressed "Abbrechen" when cancel is set (already while
// the spooler waits for the file name, so that no job is too short to be
// cancelled), message boxes are confirmed and recorded.
class PrintTarget {
 public:
  PrintTarget(const std::string& out_file, bool cancel = false);
  vt::test::DialogWatcher& watcher() { return watcher_; }
  std::vector<std::string> messages() const;  // the library's message boxes
  std::string captions() const;               // every dialog, for failure output
  std::string progress_line() const;          // the progress dialog's line

 private:
  vt::test::DialogAction answer(const vt::test::SeenDialog& d);
  std::string out_;
  bool cancel_;
  vt::test::DialogWatcher watcher_;
};

}  // namespace vt::print::test
