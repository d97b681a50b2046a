// Number arrays that end where a no-access page begins.
#include <windows.h>

#include <gtest/gtest.h>

#include "veltra/dbtext.h"

TEST(DbTextFault, UnreadableAndUnwritableArrays) {
  SYSTEM_INFO si;
  GetSystemInfo(&si);
  char* base = static_cast<char*>(
      VirtualAlloc(nullptr, 2 * si.dwPageSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
  DWORD old;
  VirtualProtect(base + si.dwPageSize, si.dwPageSize, PAGE_NOACCESS, &old);
  double* two = reinterpret_cast<double*>(base + si.dwPageSize) - 2;  // the last two cells

  EXPECT_EQ(SetDBText(two, 95, "ABCDEFGHIJKL"), 0);  // needs a third cell
  EXPECT_EQ(SetDBText(two, 95, "ABCDEFGHIJK"), 2);
  char buf[40];
  EXPECT_EQ(GetDBText(buf, sizeof buf, two, 11), 11);  // the limit ends in readable cells
  two[1] += 1099511627776.0 * 'L';                      // the text now runs on
  EXPECT_EQ(GetDBText(buf, sizeof buf, two, 95), 6);
  EXPECT_STREQ(buf, "#ERROR");
  VirtualFree(base, 0, MEM_RELEASE);
}
