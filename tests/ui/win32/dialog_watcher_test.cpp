// The dialog watcher itself: it must read a message box exactly and answer
// with the button asked for, and drive a real file dialog.
#include <windows.h>
#include <commdlg.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "support/win32/dialog_watcher.h"

namespace {

using vt::test::DialogAction;
using vt::test::DialogWatcher;

TEST(DialogWatcher, ReadsAndAnswersMessageBoxes) {
  struct Case {
    UINT type;
    int press;
    unsigned icon;
  };
  const Case cases[] = {
      {MB_YESNO | MB_ICONQUESTION, IDNO, MB_ICONQUESTION},
      {MB_OKCANCEL | MB_ICONEXCLAMATION, IDOK, MB_ICONEXCLAMATION},
      {MB_OK | MB_ICONHAND, IDOK, MB_ICONHAND},
      {MB_RETRYCANCEL, IDRETRY, 0},
  };
  for (const Case& c : cases) {
    DialogWatcher w(DialogAction::press(c.press));
    // German text in code page 1252: the watcher must hand it back byte for byte.
    int r = MessageBoxA(nullptr, "Gr\xF6\xDF" "e \xFC" "ber 2 Zeilen", "Titel \xE4", c.type);
    EXPECT_EQ(r, c.press);
    ASSERT_TRUE(w.wait_for(1));
    auto seen = w.seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].caption, "Titel \xE4");
    EXPECT_EQ(seen[0].message(), "Gr\xF6\xDF" "e \xFC" "ber 2 Zeilen");
    EXPECT_EQ(seen[0].icon_flag(), c.icon) << c.type;
    EXPECT_EQ(seen[0].buttons().size(), (c.type & MB_TYPEMASK) == MB_OK ? 1u : 2u);
  }
}

TEST(DialogWatcher, IgnoresDialogsOpenBeforeItStarted) {
  DialogWatcher first(DialogAction::leave());
  // A message box on a second thread stays open while a later watcher runs.
  HANDLE t = CreateThread(nullptr, 0, [](void*) -> DWORD {
    return MessageBoxA(nullptr, "zuerst", "A", MB_OK);
  }, nullptr, 0, nullptr);
  ASSERT_TRUE(first.wait_for(1));
  {
    DialogWatcher second(DialogAction::press(IDOK));
    EXPECT_EQ(MessageBoxA(nullptr, "danach", "B", MB_OKCANCEL), IDOK);
    ASSERT_TRUE(second.wait_for(1));
    EXPECT_EQ(second.seen()[0].message(), "danach");
  }
  PostMessageA(first.seen()[0].hwnd, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(WaitForSingleObject(t, 10000), WAIT_OBJECT_0);
  CloseHandle(t);
}

TEST(DialogWatcher, TypesAFileNameIntoTheFileDialog) {
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  std::string want = std::string(dir) + "watcher_probe.txt";
  char file[MAX_PATH] = "";
  OPENFILENAMEA ofn = {};
  ofn.lStructSize = sizeof ofn;
  ofn.lpstrFilter = "Text\0*.txt\0Alle\0*.*\0";
  ofn.lpstrFile = file;
  ofn.nMaxFile = MAX_PATH;
  ofn.lpstrTitle = "Speichern unter";
  ofn.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY;
  DeleteFileA(want.c_str());
  DialogWatcher w(DialogAction::file_name(want));
  ASSERT_TRUE(GetSaveFileNameA(&ofn));
  EXPECT_STREQ(file, want.c_str());
  ASSERT_TRUE(w.wait_for(1));
  auto d = w.seen()[0];
  EXPECT_EQ(d.caption, "Speichern unter");
  const auto* types = d.control(cmb1);
  ASSERT_NE(types, nullptr);
  EXPECT_EQ(types->items, (std::vector<std::string>{"Text", "Alle"}));
}

}  // namespace
