// Special folders and folder chains on the real file system.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>

#include "veltra/paths.h"

namespace {

bool is_folder(const std::string& p) {
  DWORD a = GetFileAttributesA(p.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

// Removes a folder with everything in it (what an earlier run with the same
// process id may have left behind).
void remove_tree(const std::string& p) {
  std::string from = p;
  from.push_back('\0');  // the shell wants a list ending in two NULs
  SHFILEOPSTRUCTA op = {};
  op.wFunc = FO_DELETE;
  op.pFrom = from.c_str();
  op.fFlags = FOF_NO_UI;
  SHFileOperationA(&op);
}

std::string current_folder() {
  char buf[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, buf);
  return buf;
}

// Every case runs from the same current folder and leaves it as it was.
class Folders : public testing::Test {
 protected:
  void SetUp() override {
    saved_ = current_folder();
    char tmp[MAX_PATH];
    GetTempPathA(MAX_PATH, tmp);
    base_ = std::string(tmp) + "vt_mkpath_" + std::to_string(GetCurrentProcessId());
    remove_tree(base_);
  }
  void TearDown() override {
    SetCurrentDirectoryA(saved_.c_str());
    remove_tree(base_);
  }
  std::string saved_, base_;
};

TEST_F(Folders, MkpathCreatesTheChainAndEntersIt) {
  const std::string deep = base_ + "\\a\\\\b\\c";
  ASSERT_FALSE(is_folder(base_));
  EXPECT_EQ(mkpath(deep.c_str()), 0);
  EXPECT_TRUE(is_folder(base_ + "\\a\\b\\c"));
  EXPECT_EQ(current_folder(), base_ + "\\a\\b\\c");
  // An existing chain: 0, and the current folder is there again.
  SetCurrentDirectoryA(saved_.c_str());
  EXPECT_EQ(mkpath((base_ + "\\a\\").c_str()), 0);
  EXPECT_EQ(current_folder(), base_ + "\\a");
}

TEST_F(Folders, MkpathStopsAtWhatItCannotEnter) {
  ASSERT_EQ(mkpath(base_.c_str()), 0);
  const std::string file = base_ + "\\file";
  CloseHandle(CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  struct Case { std::string path; int want; };
  const Case cases[] = {
      {base_ + "\\before\\file\\x", 0},    // control: file is a folder name here
      {file + "\\x", -1},                  // a file in the chain
      {"relative\\path", -1},              // not absolute (the rule is tested on the portable plan)
      {"C:windows", 1},                    // drive-relative: asked, not created
      {"C:vt_no_such_folder", 0}, {"\\\\vt-no-such-server\\share", -1},
  };
  for (const Case& c : cases) {
    SetCurrentDirectoryA("C:\\");
    EXPECT_EQ(mkpath(c.path.c_str()), c.want) << c.path;
  }
  EXPECT_FALSE(is_folder("C:\\vt_no_such_folder"));
  EXPECT_FALSE(is_folder(file + "\\x"));
  EXPECT_EQ(mkpath(nullptr), -1);
}

TEST(SpecialFolders, AgreeWithTheShell) {
  const int ids[] = {CSIDL_LOCAL_APPDATA, CSIDL_APPDATA, CSIDL_WINDOWS, CSIDL_SYSTEM};
  for (int id : ids) {
    char got[MAX_PATH] = "x", want[MAX_PATH] = "";
    ASSERT_EQ(SHGetFolderPathA(nullptr, id, nullptr, SHGFP_TYPE_CURRENT, want), S_OK);
    EXPECT_TRUE(GetSpecialWindowsDir(id, got)) << id;
    EXPECT_STREQ(got, want) << id;
  }
  char buf[MAX_PATH] = "stale";
  EXPECT_FALSE(GetSpecialWindowsDir(0x7F, buf));  // no such folder
  EXPECT_STREQ(buf, "");
  EXPECT_FALSE(GetSpecialWindowsDir(CSIDL_LOCAL_APPDATA, nullptr));
}

}  // namespace
