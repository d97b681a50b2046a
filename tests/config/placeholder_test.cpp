// Path placeholders over a chosen executable name: the given cases, reduced
// names expanding back, expansion in place and apart, guard bytes. The real
// executable's folder is tested in win32/placeholder_install_test.cpp.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "config/placeholder.h"
#include "support/guarded_buffer.h"
#include "veltra/placeholder.h"

namespace {

using vt::config::expand_file_name;
using vt::config::reduce_file_name;
using vt::test::GuardedBuffer;

const char kExe[] = "C:\\Prog\\Veltra\\app.exe";
const char kNoFolder[] = "/opt/veltra/app";  // no backslash: folder unknown

TEST(Placeholder, ReduceAndExpandBack) {
  struct {
    const char *name, *project, *exe, *reduced;
  } cases[] = {
      {"C:\\Proj\\data\\a.txt", "C:\\Proj", kExe, "$PROJECT\\data\\a.txt"},
      {"C:\\Proj\\data\\a.txt", "C:\\Proj\\", kExe, "$PROJECTdata\\a.txt"},
      {"C:\\PROJ\\a.txt", "c:\\proj", kExe, "$PROJECT\\a.txt"},
      {"C:\\Proj", "C:\\Proj", kExe, "$PROJECT"},
      {"C:\\Projects\\a.txt", "C:\\Proj", kExe, "$PROJECTects\\a.txt"},
      {"C:\\Prog\\Veltra\\P\\x.txt", "C:\\Prog\\Veltra\\P", kExe, "$PROJECT\\x.txt"},
      {"C:\\Prog\\Veltra\\cfg\\x.ini", nullptr, kExe, "$INSTALL\\cfg\\x.ini"},
      {"C:\\PROG\\VELTRA\\x", "C:\\Proj", kExe, "$INSTALL\\x"},
      {"C:\\x", "C:", kExe, "$PROJECT\\x"},  // longer than before
      {"D:\\other\\x", "C:\\Proj", kExe, "D:\\other\\x"},
      {"C:\\Pro", "C:\\Proj", kExe, "C:\\Pro"},
      {"/opt/veltra/x", "", kNoFolder, "/opt/veltra/x"},
  };
  for (const auto& c : cases) {
    GuardedBuffer buf(std::max(std::strlen(c.name), std::strlen(c.reduced)) + 1);
    std::strcpy(buf.data(), c.name);
    EXPECT_EQ(reduce_file_name(buf.data(), c.project, c.exe), 1);
    EXPECT_STREQ(buf.data(), c.reduced) << c.name;
    EXPECT_TRUE(buf.guard_intact()) << c.name;
    // Expanding gives the name back, the folder spelt as the folder is.
    std::string folder = std::strncmp(c.reduced, "$I", 2) == 0 ? "C:\\Prog\\Veltra" : c.project;
    bool reduced = std::strcmp(c.name, c.reduced) != 0;
    std::string want = reduced ? folder + (c.name + folder.size()) : c.name;
    EXPECT_EQ(expand_file_name(buf.data(), buf.data(), c.project, c.exe), 1);
    EXPECT_EQ(buf.data(), want);
  }
  EXPECT_EQ(reduce_file_name(nullptr, "C:\\", kExe), 1);
}

TEST(Placeholder, ExpandInPlaceAndApart) {
  const std::string rest(263, 'x');  // 8 + 263 characters fill 272 bytes
  struct {
    std::string name;
    const char *project, *exe;
    std::string expanded;
    int result;
  } cases[] = {
      {"$project\\x.txt", "D:\\P", kExe, "D:\\P\\x.txt", 1},
      {"$PROJECT\\x.txt", "", kExe, "", 0},
      {"$PROJECT\\x.txt", nullptr, kExe, "", 0},
      {"$Install\\a", "D:\\P", kNoFolder, "", 0},
      {"plain\\name.txt", "D:\\P", kExe, "plain\\name.txt", 1},
      {"C:\\$PROJECT\\x", "D:\\P", kExe, "C:\\$PROJECT\\x", 1},
      {"$PROJEC", "D:\\P", kExe, "$PROJEC", 1},
      {"$PROJECT" + rest, "12345678", kExe, "12345678" + rest, 1},
      {"$PROJECT" + rest, "123456789", kExe, "", 0},  // one too long
  };
  for (const auto& c : cases) {
    size_t room = std::max(c.name.size(), c.expanded.size()) + 1;
    GuardedBuffer apart(room), same(room);
    std::strcpy(same.data(), c.name.c_str());
    EXPECT_EQ(expand_file_name(apart.data(), c.name.c_str(), c.project, c.exe), c.result);
    EXPECT_EQ(expand_file_name(same.data(), same.data(), c.project, c.exe), c.result);
    EXPECT_EQ(apart.data(), c.expanded) << c.name;
    EXPECT_EQ(same.data(), c.expanded) << c.name;
    EXPECT_TRUE(apart.guard_intact() && same.guard_intact()) << c.name;
  }
  char out[4] = "abc";
  EXPECT_EQ(expand_file_name(nullptr, "x", "D:\\", kExe), 0);
  EXPECT_EQ(expand_file_name(out, nullptr, "D:\\", kExe), 0);
  EXPECT_STREQ(out, "");
}

TEST(Placeholder, ExportedWithProjectFolder) {
  char buf[64] = "C:\\Proj\\data\\a.txt";
  EXPECT_EQ(ReduceFileName(buf, "c:\\proj"), 1);
  EXPECT_STREQ(buf, "$PROJECT\\data\\a.txt");
  EXPECT_EQ(ExpandFileName(buf, buf, "C:\\Proj"), 1);
  EXPECT_STREQ(buf, "C:\\Proj\\data\\a.txt");
#ifndef _WIN32
  EXPECT_EQ(ExpandFileName(buf, "$INSTALL\\x", nullptr), 0);  // a POSIX name has no backslash
#endif
}

}  // namespace
