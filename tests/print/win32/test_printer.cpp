#include "test_printer.h"

#include <winspool.h>

#include <fstream>

#include "resources/resource_ids.h"
#include "support/file_text.h"

namespace vt::print::test {

namespace {
constexpr char kDriver[] = "Veltra Test Driver";
constexpr char kPpdName[] = "veltra-test.ppd";
constexpr int kPrintToFileEdit = 201;  // the spooler's output-file field
constexpr char kLibraryCaption[] = "Meldung";  // the library's message boxes

std::string to_windows_path(std::string unix_path) {
  for (char& c : unix_path)
    if (c == '/') c = '\\';
  return "Z:" + unix_path;
}
}  // namespace

std::string print_out_dir() {
  const char* dir = std::getenv("VELTRA_PRINT_OUT");
  std::string d = dir && *dir ? dir : "print-out";
  if (d[0] == '/') d = to_windows_path(d);
  CreateDirectoryA(d.c_str(), nullptr);
  return d;
}

std::string data_text(const char* name) {
  return vt::test::file_text(to_windows_path(std::string(VELTRA_TEST_DATA) + "/print/data/" + name), "");
}

std::string stage_file(const std::string& name, const std::string& text) {
  std::string path = print_out_dir() + "\\" + name;
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

bool file_exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void PrinterTest::SetUp() {
  ASSERT_TRUE(install_test_printer());
  pd_ = test_printer_settings();
  owner_ = CreateWindowA("STATIC", "Messwerte", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr, nullptr,
                         nullptr);
}

void PrinterTest::TearDown() {
  DestroyWindow(owner_);
  free_settings(pd_);
}

bool pump_until_seen(vt::test::DialogWatcher& w, size_t n, unsigned timeout_ms) {
  for (unsigned t = 0; t < timeout_ms; t += 10) {
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&m);
      DispatchMessageA(&m);
    }
    if (w.count() >= n) return true;
    Sleep(10);
  }
  return false;
}

bool install_test_printer() {
  static bool installed = [] {
    char dir[MAX_PATH];
    DWORD need = 0;
    if (!GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(dir), sizeof dir, &need))
      return false;
    std::string ppd = std::string(dir) + "\\" + kPpdName;
    std::ofstream(ppd, std::ios::binary) << data_text(kPpdName);
    DRIVER_INFO_3A di{};
    di.cVersion = 3;
    di.pName = const_cast<char*>(kDriver);
    di.pDriverPath = const_cast<char*>("wineps.drv");
    di.pConfigFile = const_cast<char*>("wineps.drv");
    di.pDataFile = const_cast<char*>(kPpdName);
    AddPrinterDriverExA(nullptr, 3, reinterpret_cast<BYTE*>(&di), APD_COPY_NEW_FILES);
    HANDLE h = nullptr;
    if (!OpenPrinterA(const_cast<char*>(kTestPrinter), &h, nullptr)) {
      PRINTER_INFO_2A pi{};
      pi.pPrinterName = const_cast<char*>(kTestPrinter);
      pi.pPortName = const_cast<char*>("FILE:");
      pi.pDriverName = const_cast<char*>(kDriver);
      pi.pPrintProcessor = const_cast<char*>("WinPrint");
      pi.pDatatype = const_cast<char*>("RAW");
      pi.Attributes = PRINTER_ATTRIBUTE_LOCAL;
      h = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&pi));
    }
    if (!h) return false;
    ClosePrinter(h);
    SetDefaultPrinterA(kTestPrinter);
    HDC dc = CreateDCA(nullptr, kTestPrinter, nullptr, nullptr);
    if (!dc) return false;
    DeleteDC(dc);
    return true;
  }();
  return installed;
}

PRINTDLGA test_printer_settings() {
  // The test printer is the default printer: the dialog's default settings
  // name it, in portrait.
  PRINTDLGA pd{};
  pd.lStructSize = sizeof pd;
  pd.Flags = PD_RETURNDEFAULT;
  PrintDlgA(&pd);
  if (auto* dm = pd.hDevMode ? static_cast<DEVMODEA*>(GlobalLock(pd.hDevMode)) : nullptr) {
    dm->dmOrientation = DMORIENT_PORTRAIT;
    dm->dmFields |= DM_ORIENTATION;
    GlobalUnlock(pd.hDevMode);
  }
  return pd;
}

PRINTDLGA missing_printer() {
  PRINTDLGA pd{};
  const char device[] = "Kein Drucker";
  pd.hDevNames = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DEVNAMES) + 3 * sizeof device);
  auto* names = static_cast<DEVNAMES*>(GlobalLock(pd.hDevNames));
  names->wDriverOffset = names->wOutputOffset = sizeof(DEVNAMES);
  names->wDeviceOffset = sizeof(DEVNAMES) + sizeof device;
  lstrcpyA(reinterpret_cast<char*>(names) + names->wDeviceOffset, device);
  GlobalUnlock(pd.hDevNames);
  return pd;
}

void free_settings(PRINTDLGA& pd) {
  if (pd.hDevNames) GlobalFree(pd.hDevNames);
  if (pd.hDevMode) GlobalFree(pd.hDevMode);
  pd.hDevNames = pd.hDevMode = nullptr;
}

PrintTarget::PrintTarget(const std::string& out_file, bool cancel)
    : out_(out_file), cancel_(cancel),
      watcher_([this](const vt::test::SeenDialog& d) { return answer(d); }) {}

vt::test::DialogAction PrintTarget::answer(const vt::test::SeenDialog& seen) {
  // A dialog whose thread is busy may read empty at first: read it again.
  vt::test::SeenDialog d = seen;
  for (int i = 0; i < 100 && d.caption.empty() && IsWindow(seen.hwnd); ++i) {
    Sleep(20);
    d = vt::test::read_dialog(seen.hwnd);
  }
  if (d.control(kPrintToFileEdit) && d.caption == "Print to File") {
    // The dialog may still be filling its field: set the name until it stays.
    char got[MAX_PATH] = "";
    for (int i = 0; i < 50 && out_ != got; ++i) {
      SetDlgItemTextA(d.hwnd, kPrintToFileEdit, out_.c_str());
      Sleep(20);
      GetDlgItemTextA(d.hwnd, kPrintToFileEdit, got, sizeof got);
    }
    // The spooler's dialog holds the job before its first page; the
    // progress dialog's thread runs this dialog's loop, which delivers the
    // click before printing starts.
    if (cancel_)
      if (HWND progress = FindWindowA("#32770", "Drucken"))
        PostMessageA(progress, WM_COMMAND, MAKEWPARAM(IDC_PRINT_CANCEL, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(progress, IDC_PRINT_CANCEL)));
    return vt::test::DialogAction::press(IDOK);
  }
  if (d.caption == "Drucken")
    return cancel_ ? vt::test::DialogAction::press(IDC_PRINT_CANCEL) : vt::test::DialogAction::leave();
  // Message boxes are confirmed; anything else is left to its owner.
  return d.message().empty() ? vt::test::DialogAction::leave() : vt::test::DialogAction::press(IDOK);
}

std::vector<std::string> PrintTarget::messages() const {
  std::vector<std::string> out;
  for (const auto& d : watcher_.seen())
    if (d.caption == kLibraryCaption)
      out.push_back(d.message());
  return out;
}

std::string PrintTarget::captions() const {
  std::string out;
  for (const auto& d : watcher_.seen()) out += "[" + d.caption + ": " + d.message() + "] ";
  return out;
}

std::string PrintTarget::progress_line() const {
  for (const auto& d : watcher_.seen())
    if (d.caption == "Drucken")
      if (const auto* c = d.control(IDC_PRINT_MESSAGE)) return c->text;
  return {};
}

}  // namespace vt::print::test
