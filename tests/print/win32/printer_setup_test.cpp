// Printer setup through the common dialog, answered by the dialog watcher.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_printer.h"
#include "veltra/print.h"

using namespace vt::print::test;
using vt::test::DialogAction;

namespace {

std::string device_of(const PRINTDLGA& pd) {
  if (!pd.hDevNames) return "";
  auto* names = static_cast<DEVNAMES*>(GlobalLock(pd.hDevNames));
  std::string device = reinterpret_cast<const char*>(names) + names->wDeviceOffset;
  GlobalUnlock(pd.hDevNames);
  return device;
}

}  // namespace

using PrinterSetupDialog = PrinterTest;

TEST_F(PrinterSetupDialog, ConfirmCancelAndFallBack) {
  struct Case {
    const char* what;
    bool missing;
    DWORD flags;
    int button;
    int result;
    std::vector<std::string> messages;  // starts of the library's messages
  } cases[] = {
      {"confirmed", false, 0, IDOK, 1, {}},
      {"cancelled: no error, printer kept", false, 0, IDCANCEL, 1, {}},
      {"unknown printer: the dialog offers the default", true, 0, IDOK, 1, {}},
      // A template flag without a template fails every dialog: message 209,
      // the default printer is tried, then the system error 322.
      {"dialog error", false, PD_ENABLESETUPTEMPLATE | PD_ENABLEPRINTTEMPLATE, IDOK, 0,
       {"Die aktuelle Druckereinstellung ist ung\xFCltig.", "Systemfehler bei Windows-Druckereinstellung."}},
  };
  for (const Case& c : cases) {
    PRINTDLGA pd = c.missing ? missing_printer() : test_printer_settings();
    vt::test::DialogWatcher watcher(DialogAction::press(c.button));
    EXPECT_EQ(PrinterSetup(owner_, &pd, c.flags), c.result) << c.what;
    pump_until_seen(watcher, 1, 2000);
    if (c.result) EXPECT_EQ(device_of(pd), kTestPrinter) << c.what;
    EXPECT_EQ(pd.hwndOwner, owner_) << c.what;
    EXPECT_EQ(pd.Flags & (PD_NOSELECTION | PD_NOPAGENUMS), DWORD(PD_NOSELECTION | PD_NOPAGENUMS)) << c.what;
    std::vector<std::string> messages;
    for (const auto& d : watcher.seen())
      if (d.caption == "Meldung") messages.push_back(d.message());
    ASSERT_EQ(messages.size(), c.messages.size()) << c.what;
    for (size_t i = 0; i < messages.size(); ++i) EXPECT_EQ(messages[i].rfind(c.messages[i], 0), 0u) << c.what;
    free_settings(pd);
  }

  // No printer chosen yet: GetPrinterDC runs the setup first; Cancel gives no DC.
  for (int button : {IDCANCEL, IDOK}) {
    PRINTDLGA pd{};
    vt::test::DialogWatcher watcher(DialogAction::press(button));
    HDC dc = GetPrinterDC(nullptr, &pd, "Einrichtung", 0);
    EXPECT_EQ(dc != nullptr, button == IDOK);
    EXPECT_GE(watcher.count(), 1u);
    if (dc) DeletePrinterDC(dc, nullptr);
    free_settings(pd);
  }
}
