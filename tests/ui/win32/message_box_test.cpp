// Message boxes from string tables, read back from the real message box.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "support/win32/dialog_watcher.h"
#include "ui_test_ids.h"
#include "veltra/message.h"

namespace {

using vt::test::DialogAction;
using vt::test::DialogWatcher;
using vt::test::SeenDialog;

// Runs `show` under a watcher that presses `button`; returns the one dialog seen.
template <class F>
SeenDialog shown(F show, int button, int* result) {
  DialogWatcher w(DialogAction::press(button));
  *result = show();
  EXPECT_TRUE(w.wait_for(1));
  auto seen = w.seen();
  return seen.empty() ? SeenDialog{} : seen[0];
}

// A module other than the program that has string resources: the owner
// window's module decides where MessageFMTBox looks its string up.
HINSTANCE other_module() { return GetModuleHandleA("user32.dll"); }

// The first string id of a module that has a plain text (no '%'), as an
// independent source of an expected message.
UINT plain_string_of(HINSTANCE module, std::string* text) {
  char buf[512];
  for (UINT id = 1; id < 0x1000; ++id)
    if (LoadStringA(module, id, buf, sizeof buf) > 0 && !strchr(buf, '%')) {
      *text = buf;
      return id;
    }
  return 0;
}

TEST(MessageFMTBox, FormatsTheLibraryStringUnderItsCaption) {
  struct Case {
    UINT type;
    int button;
  };
  const Case cases[] = {{MB_OK | MB_ICONEXCLAMATION, IDOK}, {MB_YESNO | MB_ICONQUESTION, IDNO}};
  for (const Case& c : cases) {
    int r = -1;
    SeenDialog d = shown([&] { return MessageFMTBox(nullptr, IDS_TEST_FORMAT, c.type, 42, "Kanal"); },
                         c.button, &r);
    EXPECT_EQ(r, c.button);
    EXPECT_EQ(d.caption, "Meldung");
    EXPECT_EQ(d.message(), "Wert 42 von \xBBKanal\xAB \xFC" "bertragen");
    EXPECT_EQ(d.icon_flag(), c.type & MB_ICONMASK);
  }
}

TEST(MessageFMTBox, CutsTheTextAt599Characters) {
  const std::string a(400, 'a'), b(400, 'b');
  int r = -1;
  SeenDialog d = shown([&] { return MessageFMTBox(nullptr, IDS_TEST_LONG, MB_OK, a.c_str(), b.c_str()); },
                       IDOK, &r);
  EXPECT_EQ(d.message(), (a + "|" + b).substr(0, 599));
}

TEST(MessageFMTBox, TakesStringAndCaptionFromTheOwner) {
  std::string want;
  UINT id = plain_string_of(other_module(), &want);
  ASSERT_NE(id, 0u);
  char ours[512];
  ASSERT_EQ(LoadStringA(GetModuleHandleA(nullptr), id, ours, sizeof ours) > 0 && want == ours, false)
      << "the probe string must differ from the library's own";
  HWND owner = CreateWindowExA(0, "STATIC", "Besitzerfenster \xC4", WS_POPUP, 0, 0, 10, 10, nullptr,
                               nullptr, other_module(), nullptr);
  ASSERT_TRUE(owner);
  int r = -1;
  SeenDialog d = shown([&] { return MessageFMTBox(owner, id, MB_OK); }, IDOK, &r);
  EXPECT_EQ(r, IDOK);
  EXPECT_EQ(d.caption, "Besitzerfenster \xC4");
  EXPECT_EQ(d.message(), want);
  DestroyWindow(owner);
}

TEST(ResourceMessageBox, CaptionIsStringOneOfTheModuleOrEmpty) {
  std::string want;
  UINT id = plain_string_of(other_module(), &want);
  char one[8];
  const bool other_has_one = LoadStringA(other_module(), 1, one, sizeof one) > 0;
  struct Case {
    HINSTANCE module;
    UINT id;
    std::string caption, message;
  };
  const Case cases[] = {
      {GetModuleHandleA(nullptr), IDS_TEST_PLAIN, "Meldung", "Gr\xF6\xDF" "e"},
      {other_module(), id, other_has_one ? one : "", want},
  };
  ASSERT_EQ(GetActiveWindow(), nullptr);
  for (const Case& c : cases) {
    int r = -1;
    SeenDialog d = shown([&] { return ResourceMessageBox(c.module, c.id, MB_OKCANCEL); }, IDCANCEL, &r);
    EXPECT_EQ(r, IDCANCEL);
    EXPECT_EQ(d.caption, c.caption);
    EXPECT_EQ(d.message(), c.message);
  }
  // A missing string shows nothing.
  DialogWatcher w(DialogAction::press(IDOK));
  EXPECT_EQ(MessageFMTBox(nullptr, IDS_TEST_MISSING, MB_OK), 0);
  EXPECT_EQ(ResourceMessageBox(GetModuleHandleA(nullptr), IDS_TEST_MISSING, MB_OK), 0);
  Sleep(300);
  EXPECT_EQ(w.count(), 0u);
}

TEST(ResourceMessageBox, TheActiveWindowOwnsTheBox) {
  HWND owner = CreateWindowExA(0, "STATIC", "Aktiv", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr,
                               nullptr, nullptr, nullptr);
  SetActiveWindow(owner);
  ASSERT_EQ(GetActiveWindow(), owner);
  int r = -1;
  SeenDialog d = shown([&] { return ResourceMessageBox(nullptr, IDS_TEST_FORMAT, MB_OK, 7, "x"); }, IDOK, &r);
  EXPECT_EQ(d.caption, "Aktiv");
  EXPECT_EQ(d.owner, owner);
  EXPECT_EQ(d.message(), "Wert 7 von \xBBx\xAB \xFC" "bertragen");
  DestroyWindow(owner);
}

}  // namespace
