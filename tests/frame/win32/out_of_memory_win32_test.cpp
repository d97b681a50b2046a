// Out of memory in the Windows-only exports that allocate and show no
// dialog: each call repeated with its n-th allocation failing gives the
// export's failure result, until it runs through.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "../failing_new.h"
#include "veltra/colorlist.h"
#include "veltra/listctl.h"
#include "veltra/message.h"
#include "veltra/paths.h"
#include "veltra/settings.h"

namespace {

template <typename Call, typename Check>
void each_failing_allocation(Call call, Check check) {
  for (int n = 1; n < 10000; ++n) {
    bool hit = vt_test::run_failing_at(n, call);
    check(hit, n);
    if (!hit) return;
  }
  ADD_FAILURE() << "no end of allocations";
}

TEST(OutOfMemoryWin32, FolderChainHelpAndIniLocationGiveTheirFailureResults) {
  char tmp[MAX_PATH];
  GetTempPathA(MAX_PATH, tmp);
  const std::string base = std::string(tmp) + "vt_oom_" + std::to_string(GetCurrentProcessId());
  const std::string deep = base + "\\a\\b";
  auto remove_chain = [&] {
    RemoveDirectoryA(deep.c_str());
    RemoveDirectoryA((base + "\\a").c_str());
    RemoveDirectoryA(base.c_str());
  };
  remove_chain();  // left by an earlier process of the same id
  char cwd[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, cwd);
  int made = 1;
  each_failing_allocation([&] { made = mkpath(deep.c_str()); },
                          [&](bool failed, int n) {
                            // nothing is created before the plan is made
                            EXPECT_EQ(failed ? -1 : 0, made) << n;
                            EXPECT_EQ(failed, GetFileAttributesA((failed ? base : deep).c_str()) ==
                                                  INVALID_FILE_ATTRIBUTES)
                                << n;
                          });
  SetCurrentDirectoryA(cwd);
  remove_chain();

  // An HTML help file with context 0xFFFFFFFF: found, nothing to show, 1.
  int shown = -1;
  each_failing_allocation([&] { shown = DllHelp(nullptr, "vt_missing.chm", 1, 0xFFFFFFFF); },
                          [&](bool failed, int n) { EXPECT_EQ(failed ? 0 : 1, shown) << n; });

  char ini[MAX_PATH + 1];
  char* out = nullptr;
  each_failing_allocation([&] { out = MakeIniFile(nullptr, ini); },
                          [&](bool failed, int n) {
                            EXPECT_EQ(ini, out) << n;
                            EXPECT_EQ(failed, ini[0] == '\0') << n;
                          });
}

// A list box's lines go to the clipboard through a string; the colour list
// copies its names.
TEST(OutOfMemoryWin32, ListCopiesAndTheColourListGiveZero) {
  HWND list = CreateWindowA("LISTBOX", "", WS_POPUP | LBS_HASSTRINGS, 0, 0, 200, 200, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(list);
  for (int i = 0; i < 40; ++i)
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(("Zeile " + std::to_string(i)).c_str()));
  int copied = -1;
  each_failing_allocation([&] { copied = List_CopyToClipboard(list); },
                          [&](bool failed, int n) { EXPECT_EQ(failed ? 0 : 1, copied) << n; });
  each_failing_allocation([&] { copied = CopyListToClipboard(list, 0); },
                          [&](bool failed, int n) { EXPECT_EQ(failed, copied == 0) << n; });
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  each_failing_allocation([&] { copied = InitColorList(list, "Rot|Gruen|Blau", nullptr); },
                          [&](bool failed, int n) { EXPECT_EQ(failed ? 0 : 1, copied) << n; });
  DestroyWindow(list);
}

}  // namespace
