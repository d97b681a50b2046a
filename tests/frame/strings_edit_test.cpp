// String utilities that compare, copy and edit in place.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "support/guarded_buffer.h"
#include "veltra/strings.h"

namespace {

using vt::test::GuardedBuffer;

// A guarded buffer of `size` bytes holding `text` (cut to the size).
GuardedBuffer holding(const char* text, size_t size) {
  GuardedBuffer b(size, 0);
  std::strncpy(b.data(), text, size);
  return b;
}

TEST(Strings, CopyAndFillNeverWritePastTheGivenSize) {
  struct Case {
    const char* src;
    int size;
    const char* want;
  } cases[] = {{"abcdef", 4, "abc"}, {"abc", 4, "abc"}, {"abcd", 4, "abc"}, {"abc", 1, ""}, {"", 5, ""}};
  for (const Case& c : cases) {
    GuardedBuffer b = holding("zzzzzzzz", static_cast<size_t>(c.size));
    EXPECT_EQ(b.data(), strxcpy(b.data(), c.src, c.size));
    EXPECT_STREQ(c.want, b.data());
    EXPECT_TRUE(b.guard_intact()) << c.src << " size " << c.size;
  }
  GuardedBuffer untouched = holding("keep", 5);
  strxcpy(untouched.data(), "other", 0);
  strxcpy(untouched.data(), nullptr, 5);
  EXPECT_STREQ("keep", untouched.data());
  for (int count : {-3, 0, 1, 7}) {
    const size_t used = static_cast<size_t>(count > 0 ? count : 0) + 1;
    GuardedBuffer b = holding("", used);
    EXPECT_EQ(count, strfill(b.data(), '#', count));
    EXPECT_EQ(std::string(used - 1, '#'), b.data());
    EXPECT_TRUE(b.guard_intact());
  }
}

TEST(Strings, Comparisons) {
  struct Case { const char *a, *b; int equal, iequal, prefix, iprefix; } cases[] = {
      {"Abc", "Abc", 1, 1, 1, 1}, {"Abc", "aBC", 0, 1, 0, 1}, {"Abcd", "Ab", 0, 0, 1, 1}, {"Ab", "Abcd", 0, 0, 0, 0},
      {"abc", "", 0, 0, 1, 1},    {"", "", 1, 1, 1, 1},       {"x", nullptr, 0, 0, 0, 0},
      {"\xc4pfel", "\xe4pfel", 0, 0, 0, 0},  // only A to Z fold
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.a) + " / " + (c.b ? c.b : "(null)"));
    EXPECT_EQ(c.equal, strequal(c.a, c.b));
    EXPECT_EQ(c.iequal, striequal(c.a, c.b));
    EXPECT_EQ(c.prefix, strnequal(c.a, c.b));
    EXPECT_EQ(c.iprefix, strniequal(c.a, c.b));
  }
}

TEST(Strings, SpaceIsBlankAndNineToThirteen) {
  for (int c = -256; c < 256; ++c) EXPECT_EQ(c == 32 || (c >= 9 && c <= 13), _isspace(c)) << c;
  char text[] = "a\tb\nc\x0b" "d\x0c" "e\rf\x08g\xa0";
  EXPECT_STREQ("a b c d e f\x08g\xa0", strspace(text));
  EXPECT_EQ(2, strwhite(" \t\r\n") + strwhite(""));
  EXPECT_EQ(0, strwhite(" \xa0 "));
}

TEST(Strings, Trim) {
  struct Case {
    const char* in;
    int flags;
    const char* want;
  } cases[] = {{"  a b \t", 1, "a b \t"}, {"  a b \t", 2, "  a b"}, {"  a b \t", 3, "a b"}, {" \t \r", 3, ""},
               {" \t ", 2, ""},           {"ab", 3, "ab"},         {"  ab", 0, "  ab"}};
  for (const Case& c : cases) {
    char buf[16];
    std::strcpy(buf, c.in);
    EXPECT_EQ(buf, strtrim(buf, c.flags));
    EXPECT_STREQ(c.want, buf) << '"' << c.in << "\" flags " << c.flags;
  }
  EXPECT_EQ(nullptr, strtrim(nullptr, 3));
}

// Oracles: std::string's erase and insert. After an insertion the whole
// buffer is compared, so that a write beyond the terminator shows too.
TEST(Strings, DeleteAndInsertAtEveryPosition) {
  const std::string base = "abcdef";
  for (int pos = -1; pos <= 8; ++pos) {
    for (int count = -1; count <= 8; ++count) {
      GuardedBuffer b = holding(base.c_str(), base.size() + 1);
      std::string want = base;
      if (pos >= 0 && count >= 0 && pos + count <= static_cast<int>(base.size()))
        want.erase(static_cast<size_t>(pos), static_cast<size_t>(count));
      EXPECT_EQ(want, strdel(b.data(), pos, count)) << pos << "," << count;
      EXPECT_TRUE(b.guard_intact());
    }
    const size_t size = base.size() + 3;
    GuardedBuffer b = holding(base.c_str(), size);
    std::string want = base;
    if (pos >= 0 && pos <= static_cast<int>(base.size())) want.insert(static_cast<size_t>(pos), "XY");
    EXPECT_EQ(want, strins(b.data(), "XY", pos)) << pos;
    EXPECT_EQ(want + std::string(size - want.size(), '\0'), std::string(b.data(), size)) << pos;
    EXPECT_TRUE(b.guard_intact());
  }
}

TEST(Strings, LastCharacterTranslationAndPathCharacters) {
  char a[] = "abc", b[] = "abx", e[] = "";
  EXPECT_STREQ("abc", strappendlast(a, 'c'));
  EXPECT_STREQ("abx", strappendlast(a, 'x'));
  EXPECT_STREQ("ab", strcutlast(b, 'x'));
  EXPECT_STREQ("ab", strcutlast(b, 'x'));
  EXPECT_STREQ("", strcutlast(strappendlast(e, 'x'), '\0'));
  char swap[] = "abba cab", first[] = "aaa";
  EXPECT_STREQ("baab cba", strxchg(swap, "ab", "ba"));
  EXPECT_STREQ("baab cba", strxchg(swap, "ab", "b"));  // lengths differ: unchanged
  EXPECT_STREQ("xxx", strxchg(first, "aa", "xy"));     // first occurrence in from decides
  char path[] = "a\"b<c>d*e/f:g?h\\i|j";
  EXPECT_STREQ("a'b{c}d_e_f_g_h_i_j", strtopathstr(path));
  EXPECT_EQ(nullptr, strtopathstr(nullptr));
  char overlap[] = "0123456789", right[12] = "0123";
  EXPECT_STREQ("23456789", strmove(overlap, overlap + 2));
  strmove(right + 2, right);
  EXPECT_STREQ("010123", right);
}

}  // namespace
