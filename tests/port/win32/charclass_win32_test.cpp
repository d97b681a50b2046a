// The library's own code page 1252 table against the system's answer, for
// every byte: the native build folds and classifies exactly as Windows.
#include <gtest/gtest.h>
#include <windows.h>

#include "port/charclass.h"
#include "port/cp1252_table.h"

TEST(CodePage1252, OwnTableAgreesWithTheSystemForEveryByte) {
  ASSERT_EQ(1252u, GetACP());
  for (int c = 0; c < 256; ++c) {
    const auto b = static_cast<unsigned char>(c);
    EXPECT_EQ(vt::port::char_lower(b), vt::port::cp1252_lower(b)) << std::hex << c;
    EXPECT_EQ(vt::port::char_is_alnum(b), vt::port::cp1252_is_alnum(b)) << std::hex << c;
  }
  // The seam really asks the system: a few bytes with a known answer.
  EXPECT_EQ(0xE4, vt::port::char_lower(0xC4));
  EXPECT_EQ(0xFF, vt::port::char_lower(0x9F));
  EXPECT_TRUE(vt::port::char_is_alnum(0xDF));
  EXPECT_FALSE(vt::port::char_is_alnum(0xD7));
}
