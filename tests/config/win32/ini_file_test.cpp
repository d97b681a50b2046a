// A module's ini file: beside the module when the folder takes the test
// write, else in the local application-data folder.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>

#include "support/file_text.h"
#include "support/guarded_buffer.h"
#include "veltra/settings.h"

namespace {

using vt::test::GuardedBuffer;

std::string ini_beside_program() {
  char buf[MAX_PATH];
  GetModuleFileNameA(nullptr, buf, MAX_PATH);
  std::string p = buf;
  return p.substr(0, p.rfind('.')) + ".ini";
}

TEST(MakeIniFile, BesideAWritableModuleWithTheTestEntryLeftEmpty) {
  const std::string want = ini_beside_program();
  DeleteFileA(want.c_str());
  GuardedBuffer buf(261);
  EXPECT_EQ(MakeIniFile(nullptr, buf.data()), buf.data());
  EXPECT_EQ(std::string(buf.data()), want);
  EXPECT_TRUE(buf.guard_intact());
  char value[16] = "stale";
  EXPECT_EQ(GetPrivateProfileStringA("MakeIniFile", "WriteAccess", "missing", value, sizeof value, want.c_str()), 0u);
  EXPECT_STREQ(value, "");
  EXPECT_EQ(vt::test::file_text(want), "[MakeIniFile]\r\nWriteAccess=\r\n");
  DeleteFileA(want.c_str());
}

TEST(MakeIniFile, FallsBackToLocalAppDataWhenTheWriteIsRefused) {
  // Tests run as root, which file permissions do not stop. What stops every
  // writer is a folder standing where the ini file would be: no process can
  // write a file's text into a folder, so the test write beside the module
  // is refused.
  const std::string blocked = ini_beside_program();
  DeleteFileA(blocked.c_str());
  ASSERT_TRUE(CreateDirectoryA(blocked.c_str(), nullptr));
  char local[MAX_PATH];
  ASSERT_EQ(SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, local), S_OK);
  const std::string folder = std::string(local) + "\\Veltra";
  RemoveDirectoryA(folder.c_str());  // absent unless an earlier run left files there
  char cwd[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, cwd);

  GuardedBuffer buf(261);
  MakeIniFile(nullptr, buf.data());
  SetCurrentDirectoryA(cwd);
  const std::string name = blocked.substr(blocked.rfind('\\') + 1);
  EXPECT_EQ(std::string(buf.data()), folder + "\\" + name);
  EXPECT_TRUE(buf.guard_intact());
  DWORD a = GetFileAttributesA(folder.c_str());
  EXPECT_TRUE(a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY));
  // No test write at the second place.
  EXPECT_EQ(GetFileAttributesA(buf.data()), INVALID_FILE_ATTRIBUTES);
  RemoveDirectoryA(blocked.c_str());
}

TEST(MakeIniFile, ANullBufferIsRefused) { EXPECT_EQ(MakeIniFile(nullptr, nullptr), nullptr); }

}  // namespace
