// Context help against the real help entry points. The classic engine is
// reached through its window protocol: WinHelpA hands each request to the
// top-level window of class "MS_WINHELP" as WM_COPYDATA, so a window of that
// class in the test receives exactly what the library asked for.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "support/win32/dialog_watcher.h"
#include "ui_test_ids.h"
#include "veltra/message.h"

namespace {

using vt::test::DialogAction;
using vt::test::DialogWatcher;
using vt::test::SeenDialog;

// The request record WinHelpA sends.
#pragma pack(push, 1)
struct HelpRequest {
  WORD size, command;
  LONG data, reserved;
  WORD file_offset, data_offset;
};
#pragma pack(pop)

struct Received {
  UINT command;
  LONG data;
  std::string file;
};
std::vector<Received> g_received;
constexpr LRESULT kEngineResult = 77;

LRESULT CALLBACK engine_proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg != WM_COPYDATA) return DefWindowProcA(w, msg, wp, lp);
  auto* cds = reinterpret_cast<COPYDATASTRUCT*>(lp);
  auto* req = static_cast<const HelpRequest*>(cds->lpData);
  const char* base = static_cast<const char*>(cds->lpData);
  g_received.push_back({req->command, req->data, req->file_offset ? base + req->file_offset : ""});
  return kEngineResult;
}

class ClassicEngine {
 public:
  ClassicEngine() {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = engine_proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "MS_WINHELP";
    RegisterClassA(&wc);
    window_ = CreateWindowA("MS_WINHELP", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    g_received.clear();
  }
  ~ClassicEngine() { DestroyWindow(window_); }

 private:
  HWND window_;
};

std::string program_folder() {
  char buf[MAX_PATH];
  GetModuleFileNameA(nullptr, buf, MAX_PATH);
  std::string p = buf;
  return p.substr(0, p.rfind('\\') + 1);
}

TEST(DllHelp, TheClassicEngineGetsTheRequestUnchanged) {
  ClassicEngine engine;
  EXPECT_EQ(DllHelp(nullptr, "vt_nowhere.HLP", 1, 55), kEngineResult);
  EXPECT_EQ(DllHelp(nullptr, "vt_nowhere.hlp>main", 8, 9), kEngineResult);
  ASSERT_EQ(g_received.size(), 2u);
  EXPECT_EQ(g_received[0].command, 1u);
  EXPECT_EQ(g_received[0].data, 55);
  EXPECT_EQ(g_received[0].file, "vt_nowhere.HLP");  // found nowhere: the bare name
  EXPECT_EQ(g_received[1].file, "vt_nowhere.hlp>main");
  // Mixed case is not the classic extension: HTML Help refuses command 5.
  DialogWatcher w(DialogAction::press(IDOK));
  EXPECT_EQ(DllHelp(nullptr, "vt_nowhere.Hlp", 5, 0), 0);
  EXPECT_EQ(g_received.size(), 2u);
  Sleep(300);
  EXPECT_EQ(w.count(), 0u);
}

// The order of the search places is tested on the portable list; here a
// file placed later in the list is found, then one placed earlier wins.
TEST(DllHelp, FindsTheFirstPlaceThatHoldsTheFile) {
  ClassicEngine engine;
  const std::string name = "vt_order_probe.HLP";
  const std::string dir = program_folder();
  CreateDirectoryA((dir + "Help").c_str(), nullptr);
  const std::string places[] = {dir + "..\\" + name, dir + "Help\\" + name};
  for (const std::string& p : places) {
    HANDLE h = CreateFileA(p.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << p;
    CloseHandle(h);
    g_received.clear();
    DllHelp(nullptr, name.c_str(), 3, 0);
    ASSERT_EQ(g_received.size(), 1u);
    EXPECT_EQ(g_received[0].file, p);
  }
  for (const std::string& p : places) DeleteFileA(p.c_str());
  RemoveDirectoryA((dir + "Help").c_str());
}

TEST(DllHelp, HtmlCommandsThatShowNothing) {
  DialogWatcher w(DialogAction::press(IDOK));
  struct Case {
    UINT command;
    ULONG_PTR data;
    int want;
  };
  const Case cases[] = {{1, 0xFFFFFFFF, 1}, {8, 0xFFFFFFFF, 1}, {2, 0, 1}, {5, 0, 0}, {0x102, 1, 0}};
  for (const Case& c : cases) EXPECT_EQ(DllHelp(nullptr, "vt_nowhere.chm", c.command, c.data), c.want) << c.command;
  EXPECT_EQ(DllHelpKey(nullptr, nullptr), 0);
  Sleep(300);
  EXPECT_EQ(w.count(), 0u);
}

std::string missing_message(const std::string& file, const std::string& topic) {
  return "Die Online-Hilfedatei '" + file +
         "' konnte nicht gefunden oder ge\xF6" "ffnet  werden oder das Hilfethema " + topic +
         " ist in der Datei nicht vorh" "anden.";
}

TEST(DllHelp, AMissingHtmlFileIsReportedOnce) {
  HWND owner = CreateWindowExA(0, "STATIC", "Regler", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
  const std::string keyword(90, 'k');
  struct Case {
    std::function<int()> call;
    std::string file, topic;
  };
  const Case cases[] = {
      {[] { return DllHelp(nullptr, "vt_missing.chm>Hauptfenster", 1, 7); }, "vt_missing.chm", "#7"},
      {[] { return DllHelp(nullptr, nullptr, 1, 0); }, "dll.chm", "#0"},
      {[] { return DllHelpContext(nullptr, 12); }, "dll.chm", "#12"},
      {[&] { return DllHelpKey(nullptr, keyword.c_str()); }, "dll.chm", keyword.substr(0, 79)},
      {[&] { return DllHelpRcTopic(owner, IDS_TEST_PLAIN); }, "dll.chm", "Gr\xF6\xDF" "e"},
  };
  for (const Case& c : cases) {
    DialogWatcher w(DialogAction::press(IDOK));
    EXPECT_EQ(c.call(), 0) << c.topic;
    ASSERT_TRUE(w.wait_for(1));
    Sleep(200);
    auto seen = w.seen();
    ASSERT_EQ(seen.size(), 1u) << c.topic;
    EXPECT_EQ(seen[0].caption, "Meldung");
    EXPECT_EQ(seen[0].message(), missing_message(c.file, c.topic));
    EXPECT_EQ(seen[0].icon_flag(), unsigned(MB_ICONEXCLAMATION));
  }
  EXPECT_EQ(DllHelpRcTopic(owner, IDS_TEST_MISSING), 0);
  DestroyWindow(owner);
}

}  // namespace
