// Number arrays that end in memory the process may not touch: the cell
// before a no-access page is the last one read or written.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

#include "veltra/dbtext.h"

namespace {

// Two pages; the second has no access. Returns a pointer to the last
// `cells` doubles of the first page.
double* cells_before_no_access_page(int cells, void** base) {
  SYSTEM_INFO si;
  GetSystemInfo(&si);
  char* p = static_cast<char*>(
      VirtualAlloc(nullptr, 2 * si.dwPageSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
  DWORD old;
  VirtualProtect(p + si.dwPageSize, si.dwPageSize, PAGE_NOACCESS, &old);
  *base = p;
  return reinterpret_cast<double*>(p + si.dwPageSize) - cells;
}

TEST(DbTextFault, UnreadableAndUnwritableArrays) {
  void* base = nullptr;
  double* two = cells_before_no_access_page(2, &base);
  // Twelve characters need three cells; only two can be written.
  EXPECT_EQ(SetDBText(two, 95, "ABCDEFGHIJKL"), 0);
  EXPECT_EQ(SetDBText(two, 95, "ABCDEFGHIJK"), 2);  // fits with its zero byte

  // A text that runs on into the no-access page.
  ASSERT_EQ(SetDBText(two, 95, "ABCDEFGHIJK"), 2);
  two[1] += 1099511627776.0 * 'L';  // its zero byte made an L
  char buf[40];
  EXPECT_EQ(GetDBText(buf, sizeof buf, two, 95), 6);
  EXPECT_STREQ(buf, "#ERROR");
  // A limit that ends inside the readable cells reads no further.
  EXPECT_EQ(GetDBText(buf, sizeof buf, two, 12), 12);
  EXPECT_STREQ(buf, "ABCDEFGHIJKL");
  VirtualFree(base, 0, MEM_RELEASE);
}

}  // namespace
