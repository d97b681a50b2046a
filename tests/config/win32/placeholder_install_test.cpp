// "$INSTALL" with the real executable, its folder taken from the system.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "veltra/placeholder.h"

TEST(PlaceholderInstall, ReduceAndExpandUnderTheExecutablesFolder) {
  char exe[MAX_PATH + 1];
  ASSERT_GT(GetModuleFileNameA(nullptr, exe, sizeof exe), 0u);
  std::string folder(exe, std::strrchr(exe, '\\'));
  std::string full = folder + "\\cfg\\x.ini";
  char buf[300], out[300];
  std::strcpy(buf, full.c_str());
  EXPECT_EQ(ReduceFileName(buf, nullptr), 1);
  EXPECT_STREQ(buf, "$INSTALL\\cfg\\x.ini");
  EXPECT_EQ(ExpandFileName(out, "$install\\cfg\\x.ini", ""), 1);
  EXPECT_EQ(std::string(out), full);
  EXPECT_EQ(ExpandFileName(buf, buf, nullptr), 1);  // in place
  EXPECT_EQ(std::string(buf), full);
  EXPECT_EQ(ReduceFileName(buf, (folder + "\\cfg").c_str()), 1);  // the project wins
  EXPECT_STREQ(buf, "$PROJECT\\x.ini");
}
