// List-view exports written to real files, compared byte for byte.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "control_host.h"
#include "port/clock.h"
#include "support/file_text.h"
#include "support/win32/dialog_watcher.h"
#include "veltra/listctl.h"
#include "veltra/timestr.h"

namespace {

using vt::test::DialogAction;
using vt::test::DialogWatcher;

// 2024-02-29 13:14:15 UTC.
constexpr vt_time_t kFixed = 1709212455;

class Export : public testing::Test {
 protected:
  void SetUp() override {
    char tmp[MAX_PATH];
    GetTempPathA(sizeof tmp, tmp);
    dir_ = std::string(tmp) + "veltra_export\\";
    CreateDirectoryA(dir_.c_str(), nullptr);
    vt::port::fix_time_for_tests(vt::port::kTicksTo1970 +
                                 static_cast<uint64_t>(kFixed) * vt::port::kTicksPerSecond);
    // The local time as the time functions write it for the fixed instant.
    char now[VT_TIMESTR_SIZE];
    TimeStr(now, kFixed, 0, 0x7E);
    now_ = now;
  }
  void TearDown() override { vt::port::release_time_for_tests(); }
  std::string path(const char* name) {
    std::string p = dir_ + name;
    DeleteFileA(p.c_str());
    return p;
  }

  std::string dir_, now_;
};

}  // namespace

// The table text and its separator rule are checked on the portable table
// writer; here the text reaches the file, and a second export replaces it.
TEST_F(Export, WritesTheTableAndReplacesAnExistingFile) {
  vt::test::ControlHost host;
  HWND lv = example_list_view(host, 50);
  std::string file = path("daten.txt");
  for (int round = 0; round < 2; ++round) {
    ASSERT_EQ(1, ExportListView(lv, file.c_str(), "Messung"));
    EXPECT_EQ("Export Messung, " + now_ + " \r\n\r\nA  Wert \r\n1  x    \r\n22 yy   \r\n",
              vt::test::file_text(file));
  }
}

TEST_F(Export, OnlyViewsWithTheReportBitAreExported) {
  std::string file = path("liste.txt");
  for (DWORD view : {LVS_ICON, LVS_SMALLICON}) {
    vt::test::ControlHost host;
    EXPECT_EQ(0, ExportListView(example_list_view(host, 50, view), file.c_str(), "x")) << view;
    EXPECT_EQ("<missing>", vt::test::file_text(file));
  }
  EXPECT_EQ(0, ExportListView(nullptr, file.c_str(), "x"));
}

TEST_F(Export, FilesThatCannotBeOpenedAreReported) {
  vt::test::ControlHost host;
  HWND lv = example_list_view(host, 50);
  const std::string file = dir_ + "fehlt\\daten.csv";
  DialogWatcher w(DialogAction::press(IDOK));
  EXPECT_EQ(0, ExportListView(lv, file.c_str(), "x"));
  ASSERT_TRUE(w.wait_for(1));
  auto seen = w.seen();
  EXPECT_EQ("Die Datei '" + file + "' kann nicht ge\xF6" "ffnet werden. Die Operation wird abgebrochen.",
            seen[0].message());
  EXPECT_EQ(static_cast<unsigned>(MB_ICONHAND), seen[0].icon_flag());
}

TEST_F(Export, AsksForTheFileWhenNoneIsGiven) {
  vt::test::ControlHost host;
  HWND lv = example_list_view(host, 50);
  std::string file = path("gewaehlt.csv");
  {
    DialogWatcher w(DialogAction::file_name(file));
    ASSERT_EQ(1, ExportListView(lv, nullptr, nullptr));  // no title either
    ASSERT_TRUE(w.wait_for(1));
    EXPECT_EQ("Export-Dateiauswahl", w.seen()[0].caption);
  }
  EXPECT_EQ("Export , " + now_ + ";\r\n\r\nA ;Wert;\r\n1 ;x   ;\r\n22;yy  ;\r\n", vt::test::file_text(file));
  DialogWatcher cancel(DialogAction::press(IDCANCEL));
  EXPECT_EQ(0, ExportListView(lv, nullptr, "Wahl"));
}
