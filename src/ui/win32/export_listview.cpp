// Exporting a report-view list view to a text or CSV file.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>

#include "frame/attach.h"
#include "port/strings.h"
#include "ui/export_table.h"
#include "ui/win32/control_text.h"
#include "veltra/dlgitem.h"
#include "veltra/listctl.h"
#include "veltra/message.h"
#include "veltra/paths.h"
#include "veltra/timestr.h"

namespace vt::ui {

namespace {

// Strings of the export: the title line format, the file-dialog template
// and the two failure messages.
constexpr UINT kTitleFormat = 34;
constexpr UINT kFileTemplate = 404;
constexpr UINT kCannotOpen = 203;
constexpr UINT kWriteFailed = 415;
// Characters of the title line format.
constexpr int kTitleFormatChars = 79;
// Bytes of a chosen file name.
constexpr int kFileNameBytes = 261;
// Save dialog with overwrite prompt and no read-only box.
constexpr DWORD kSaveFlags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY;

class ListViewExport : public ExportSource {
 public:
  explicit ListViewExport(HWND lv) : lv_(lv) {}
  bool column_title(int column, char* buf, std::size_t size) override {
    LVCOLUMNA col{};
    col.mask = LVCF_TEXT;
    col.pszText = buf;
    col.cchTextMax = static_cast<int>(size);
    return SendMessageA(lv_, LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(&col)) != 0;
  }
  int row_count() override { return static_cast<int>(SendMessageA(lv_, LVM_GETITEMCOUNT, 0, 0)); }
  void cell_text(int row, int column, char* buf, std::size_t size) override {
    if (!list_view_cell(lv_, row, column, buf, size)) buf[0] = '\0';
  }
  bool break_requested() override { return (GetAsyncKeyState(VK_CANCEL) & 0x8000) != 0; }

 private:
  HWND lv_;
};

std::string title_line(const char* title) {
  char format[kTitleFormatChars + 1];
  vt::port::load_string(kTitleFormat, format, sizeof format);
  char now[VT_TIMESTR_SIZE];
  TimeStr(now, 0, 0,
          VT_TS_NOW | VT_TS_DAY | VT_TS_MONTH | VT_TS_YEAR | VT_TS_HOURS | VT_TS_MINUTES | VT_TS_SECONDS);
  if (!title) title = "";
  std::string line(sizeof format + sizeof now + std::strlen(title), '\0');
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
  int n = std::snprintf(line.data(), line.size(), format, title, now);
#pragma GCC diagnostic pop
  line.resize(n > 0 ? std::min<std::size_t>(n, line.size() - 1) : 0);
  return line;
}

HINSTANCE library() { return static_cast<HINSTANCE>(vt::frame::module_handle()); }

}  // namespace

}  // namespace vt::ui

int ExportListView(HWND listView, const char* file, const char* title) {
  using namespace vt::ui;
  if (!(GetWindowLongA(listView, GWL_STYLE) & LVS_REPORT) || !listView) {
    MessageBeep(0);
    return 0;
  }
  char chosen[kFileNameBytes] = "";
  if (!file) {
    if (!ChooseFileName(listView, chosen, sizeof chosen, kSaveFlags, kFileTemplate, nullptr)) return 0;
    file = chosen;
  }
  const char separator = export_separator(file);
  HANDLE out = CreateFileA(file, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (out == INVALID_HANDLE_VALUE) {
    ResourceMessageBox(library(), kCannotOpen, MB_ICONSTOP, file);
    return 0;
  }
  WaitCursor();
  bool ok;
  try {
    ListViewExport source(listView);
    std::string text = build_export_text(source, separator, title_line(title).c_str());
    DWORD written = 0;
    ok = WriteFile(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
         written == text.size();
  } catch (const std::bad_alloc&) {
    ok = false;
  }
  ok = CloseHandle(out) && ok;
  RestoreCursor();
  if (!ok) ResourceMessageBox(library(), kWriteFailed, MB_ICONSTOP, file);
  return ok ? 1 : 0;
}
