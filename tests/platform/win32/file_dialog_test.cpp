// The file dialogs as a user sees them, driven through the dialog watcher.
#include <windows.h>
#include <commdlg.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/win32/dialog_watcher.h"
#include "veltra/paths.h"

namespace {

using vt::test::DialogAction;
using vt::test::DialogWatcher;
using vt::test::SeenDialog;

constexpr DWORD kOpen = 0x80000000u;

using Items = std::vector<std::string>;

// The folder the tests let the dialogs open in.
std::string temp_folder() {
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  return dir;
}

// The template texts themselves are checked byte for byte with the string
// table; here one reaches the dialog whole, and one longer than the 255
// characters read of it ends its filter within the video patterns.
TEST(ChooseFileName, ShowsTheTemplatesTitleAndFileTypes) {
  struct Case { UINT id; const char* title; Items types; };
  const Case cases[] = {
      {404, "Export-Dateiauswahl", {"Textdateien (*.txt)", "CSV-Dateien (*.csv)", "Alle (*.*)"}},
      {410, "Multimediadatei ausw\xE4hlen", {"Multimediadateien", "Audio", "Midi", "Video "}},
  };
  for (const Case& c : cases) {
    char file[MAX_PATH] = "";
    DialogWatcher w(DialogAction::press(IDCANCEL));
    EXPECT_FALSE(ChooseFileName(nullptr, file, sizeof file, 0, c.id, temp_folder().c_str()));
    ASSERT_TRUE(w.wait_for(1)) << c.id;
    SeenDialog d = w.seen()[0];
    EXPECT_EQ(d.caption, c.title) << c.id;
    ASSERT_NE(d.control(cmb1), nullptr);
    EXPECT_EQ(d.control(cmb1)->items, c.types) << c.id;
  }
}

TEST(ChooseFileName, AppendsTheTemplatesDefaultExtension) {
  struct Case { UINT id; const char* suffix; };
  const Case cases[] = {{402, "probe.rtf"}, {401, "probe"}};
  for (const Case& c : cases) {
    char file[MAX_PATH] = "";
    DialogWatcher w(DialogAction::file_name("probe"));
    ASSERT_TRUE(ChooseFileName(nullptr, file, sizeof file, 0, c.id, temp_folder().c_str())) << c.id;
    EXPECT_EQ(std::string(file), temp_folder() + c.suffix) << c.id;
  }
  char file[MAX_PATH] = "";
  EXPECT_FALSE(ChooseFileName(nullptr, file, sizeof file, 0, 399, nullptr));
}

TEST(ChooseFileName2, DefaultTitleAndFilter) {
  char file[MAX_PATH] = "";
  DialogWatcher w(DialogAction::press(IDCANCEL));
  EXPECT_FALSE(ChooseFileName2(nullptr, file, sizeof file, 0, nullptr, nullptr, nullptr, nullptr));
  ASSERT_TRUE(w.wait_for(1));
  EXPECT_EQ(w.seen()[0].caption, "Dateiauswahl");
  EXPECT_EQ(w.seen()[0].control(cmb1)->items, Items{"Alle (*.*)"});
  EXPECT_FALSE(ChooseFileName2(nullptr, nullptr, 10, 0, nullptr, nullptr, nullptr, nullptr));
}

TEST(ChooseFileName2, NegativeFlagsOpenAndOtherwiseSave) {
  const std::string existing = temp_folder() + "vt_open_probe.txt";
  CloseHandle(CreateFileA(existing.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  // The open dialog insists on an existing file: a missing name brings a
  // message box, after which the test cancels the dialog.
  struct Case {
    DWORD flags;
    const char* typed;
    BOOL chosen;
    bool read_only_box;  // hidden by the save dialog's flags
    size_t dialogs;
  };
  const Case cases[] = {
      {kOpen, "vt_open_probe.txt", TRUE, true, 1}, {kOpen | OFN_HIDEREADONLY, "vt_open_probe.txt", TRUE, false, 1},
      {kOpen, "vt_missing_probe.txt", FALSE, true, 3}, {0, "vt_missing_probe.txt", TRUE, false, 1},
      {0x7FFFFFFFu & OFN_READONLY, "vt_open_probe.txt", TRUE, false, 1},
  };
  for (const Case& c : cases) {
    char file[MAX_PATH] = "";
    int file_dialogs = 0;
    DialogWatcher w([&](const SeenDialog& d) {
      if (!d.message().empty()) return DialogAction::press(IDOK).and_revisit_owner();
      return file_dialogs++ ? DialogAction::press(IDCANCEL) : DialogAction::file_name(c.typed);
    });
    EXPECT_EQ(ChooseFileName2(nullptr, file, sizeof file, c.flags, "T", "Text|*.txt|", temp_folder().c_str(),
                              nullptr),
              c.chosen)
        << c.typed;
    ASSERT_TRUE(w.wait_for(c.dialogs)) << c.typed;
    const SeenDialog d = w.seen()[0];
    const auto* box = d.control(chx1);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->visible, c.read_only_box) << c.flags;
    if (c.chosen) {
      EXPECT_EQ(std::string(file), temp_folder() + c.typed);
    }
  }
  DeleteFileA(existing.c_str());
}

}  // namespace
