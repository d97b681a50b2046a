// String utilities that scan text: searching, tokenizing, substituting,
// line ends, one-line escaping and wildcard matching.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "veltra/strings.h"

namespace {

// Offset of a returned pointer in its text, -1 for null.
long at(const char* text, const char* hit) { return hit ? hit - text : -1; }

TEST(StringScan, Searches) {
  struct Case {
    const char *text, *pattern;
    int flags;
    long want;
  } cases[] = {
      {"catalog cat", "cat", 2, 8},  {"concat", "cat", 2, 3},   {"catalog cat", "cat", 0, 0},
      {"CATalog", "cat", 0, 0},      {"CATalog", "cat", 4, -1}, {"catalogs", "cat", 2, -1},
      {"cat\xe4", "cat", 2, -1},     // a-umlaut is a letter of the code page
      {"cat_x", "cat", 2, 0},        {"", "a", 0, -1},          {"abc", "", 0, -1},
  };
  for (const Case& c : cases) {
    std::string t = c.text;
    EXPECT_EQ(c.want, at(t.c_str(), strfind(&t[0], c.pattern, c.flags))) << c.text << " / " << c.pattern;
  }
  char text[] = "Hello World";
  EXPECT_EQ(6, at(text, stristr(text, "wORLD")));
  EXPECT_EQ(0, at(text, stristr(text, "")));
  EXPECT_EQ(-1, at(text, stristr(text, "worlds")));
}

TEST(StringScan, CharacterOutsideBrackets) {
  struct Case {
    const char *text, *pair;
    char c;
    long want;
  } cases[] = {
      {"f(a,b),c", "()", ',', 6}, {"(a,(b,c)),d", "()", ',', 9}, {"'a,b',c", "''", ',', 5},
      {"a),b", "()", ')', 1},     {"(a,b", "()", ',', -1},       {"x(y", "()", '(', -1},
      {"", "()", ',', -1},        {"a,b", "()", '\0', -1},
  };
  for (const Case& c : cases) {
    std::string t = c.text;
    EXPECT_EQ(c.want, at(t.c_str(), strchrex(&t[0], c.c, c.pair))) << c.text;
  }
}

std::vector<std::string> tokens(const char* text, const char* delimiters) {
  std::string buf = text;
  std::vector<std::string> out;
  for (char* t = strtoks(&buf[0], delimiters); t; t = strtoks(nullptr, delimiters)) out.push_back(t);
  return out;
}

TEST(StringScan, TokenizerKeepsEmptyFields) {
  using V = std::vector<std::string>;
  EXPECT_EQ((V{"a", "", "b"}), tokens("a,,b", ","));
  EXPECT_EQ((V{"", "a"}), tokens(",a", ","));
  EXPECT_EQ((V{"a"}), tokens("a,", ","));
  EXPECT_EQ((V{"a", "b", "c"}), tokens("a;b,c", ",;"));
  EXPECT_EQ((V{}), tokens("", ","));
  EXPECT_EQ((V{"a,b"}), tokens("a,b", nullptr));
}

// Each thread keeps its own position: two threads tokenize long texts at
// the same time and each sees exactly its own fields.
TEST(StringScan, TokenizerPositionIsPerThread) {
  constexpr int kFields = 20000;
  auto run = [](char letter, std::vector<std::string>* got) {
    std::string text;
    for (int i = 0; i < kFields; ++i) text += std::string(1 + i % 3, letter) + ",";
    for (char* t = strtoks(&text[0], ","); t; t = strtoks(nullptr, ",")) got->push_back(t);
  };
  std::vector<std::string> a, b;
  std::thread ta(run, 'a', &a), tb(run, 'b', &b);
  ta.join();
  tb.join();
  ASSERT_EQ(static_cast<size_t>(kFields), a.size());
  ASSERT_EQ(static_cast<size_t>(kFields), b.size());
  for (int i = 0; i < kFields; ++i) {
    ASSERT_EQ(std::string(1 + i % 3, 'a'), a[static_cast<size_t>(i)]);
    ASSERT_EQ(std::string(1 + i % 3, 'b'), b[static_cast<size_t>(i)]);
  }
}

TEST(StringScan, SubstituteIgnoresCaseAndNeverRescans) {
  struct Case {
    const char *text, *from, *to, *want;
  } cases[] = {
      {"a-A-a", "a", "aa", "aa-aa-aa"}, {"xABCx abc", "abc", "", "xx "}, {"aaa", "aa", "b", "ba"},
      {"Path $INSTALL\\x", "$install", "C:\\P", "Path C:\\P\\x"},      {"abc", "", "x", "abc"},
      {"abc", "d", "x", "abc"},
  };
  for (const Case& c : cases) {
    char buf[64];
    std::strcpy(buf, c.text);
    EXPECT_STREQ(c.want, strsubst(buf, c.from, c.to)) << c.text;
  }
}

// Oracle: a copying conversion into an unbounded string.
std::string crlf_reference(const std::string& in) {
  std::string out;
  for (size_t i = 0; i < in.size(); ++i) {
    const bool lone_cr = in[i] == '\r' && (i + 1 == in.size() || in[i + 1] != '\n');
    const bool lone_lf = in[i] == '\n' && i > 0 && in[i - 1] != '\r';
    out += (lone_cr || lone_lf) ? std::string("\r\n") : std::string(1, in[i]);
  }
  return out;
}

// The budget starts at the buffer size and shrinks by two per pair while
// the text grows by one, so m pairs need a buffer of len + 3m - 1 bytes.
// A cut-short conversion leaves the rest as it was: converting its result
// again gives the full result.
TEST(StringScan, LineEndsBecomePairsWithinTheBuffer) {
  const char* texts[] = {"a\nb", "a\r\nb", "\nab", "a\rb\r", "\n\n\r\r", "x\r\n\ny", "", "a\nb\nc"};
  for (const char* text : texts) {
    const std::string want = crlf_reference(text);
    const size_t len = std::strlen(text), pairs = want.size() - len;
    const size_t needed = pairs ? len + 3 * pairs - 1 : len + 1;
    for (size_t size = len + 1; size <= needed + 2; ++size) {
      std::string buf(size + 1, '\x7f');
      std::strcpy(&buf[0], text);
      strcrlf(&buf[0], static_cast<int>(size));
      EXPECT_EQ('\x7f', buf[size]) << "wrote past size " << size;
      const std::string got = buf.c_str();
      EXPECT_LT(got.size(), size);
      EXPECT_EQ(size >= needed, got == want) << "size " << size;
      EXPECT_EQ(want, crlf_reference(got));
    }
  }
}

TEST(StringScan, EscapeIntoOneLine) {
  struct Case {
    const char* src;
    int size;
    const char* want;
    bool complete;
  } cases[] = {
      // an escape needs the room of the longest one, four characters
      {"abc", 4, "abc", false},     {"abc", 5, "abc", true},       {"a\tb", 5, "a", false},
      {"a\tb", 6, "a\\tb", true},   {"\x1b", 5, "\\x1b", false},  {"\x1b", 6, "\\x1b", true},
      {"\x1b", 4, "", false},       {"a\r\n", 7, "a\\r", false},   {"a\r\n", 8, "a\\r\\n", true},
      {"\\x", 4, "\\x", true},      {"", 1, "", true},
      {"a", 1, "", false},      {"\x01\x1f", 12, "\\x01\\x1f", true},
  };
  for (const Case& c : cases) {
    std::string buf(static_cast<size_t>(c.size) + 1, '\x7f');
    char* r = strtoinistr(&buf[0], c.src, c.size);
    EXPECT_EQ(c.complete ? &buf[0] : nullptr, r) << c.src << " size " << c.size;
    EXPECT_STREQ(c.want, buf.c_str());
    EXPECT_EQ('\x7f', buf[static_cast<size_t>(c.size)]);
  }
  char none[2] = "x";
  EXPECT_EQ(nullptr, strtoinistr(none, "a", 0));
  EXPECT_STREQ("x", none);
}

TEST(StringScan, UnescapeFromOneLine) {
  struct Case {
    const char* src;
    int size;
    std::string want;
  } cases[] = {
      {"a\\tb\\r\\n", 16, "a\tb\r\n"}, {"\\x1b\\x41", 16, "\x1b" "A"}, {"\\x4g", 16, std::string("\x04", 1)},
      {"\\x 5", 16, "\x05"},           {"\\x-1", 16, "\xff"},          {"\\q\\", 16, "\\q\\"},
      {"\\x4", 16, "\\x4"},            {"\\x", 16, "\\x"},              {"abcdef", 4, "abc"},
      {"\\t\\t", 2, "\t"},             {"ab", 1, ""},
  };
  for (const Case& c : cases) {
    std::string buf(static_cast<size_t>(c.size) + 1, '\x7f');
    const int n = inistrtostr(&buf[0], c.src, c.size);
    EXPECT_EQ(c.want, buf.substr(0, static_cast<size_t>(n))) << c.src;
    EXPECT_EQ('\0', buf[static_cast<size_t>(n)]);
    EXPECT_EQ('\x7f', buf[static_cast<size_t>(c.size)]);
  }
}

// Any text without backslashes survives escaping and unescaping.
TEST(StringScan, EscapeRoundTrip) {
  std::mt19937 rng(7);
  for (int round = 0; round < 2000; ++round) {
    std::string text;
    const size_t len = rng() % 40;
    while (text.size() < len) {
      char c = static_cast<char>(1 + rng() % 255);
      if (c != '\\') text += c;
    }
    std::vector<char> line(4 * text.size() + 2), back(text.size() + 1);
    ASSERT_NE(nullptr, strtoinistr(line.data(), text.c_str(), static_cast<int>(line.size())));
    for (char c : std::string(line.data())) ASSERT_GE(static_cast<unsigned char>(c), 32);
    EXPECT_EQ(static_cast<int>(text.size()),
              inistrtostr(back.data(), line.data(), static_cast<int>(back.size())));
    EXPECT_EQ(text, std::string(back.data()));
  }
}

TEST(StringScan, WildcardMatch) {
  struct Case {
    const char *text, *pattern;
    int want;
  } cases[] = {
      {"README.TXT", "*.txt", 1}, {"abc", "abc*", 1},     {"abc", "abc**", 0}, {"", "?*", 0},
      {"", "*", 1},               {"", "*x", 1},          {"abc", "a*?c", 1},  {"abc", "a?c", 1},
      {"abc", "a?", 0},           {"ab", "abc", 0},       {"abcd", "abc", 0},  {"", "", 1},
      {"\xc4rger", "\xe4rger", 1},  // single characters fold umlauts
      {"x\xc4rger", "x*\xe4rger", 0},  // the part after * folds only A to Z
      {"abcabd", "*abd", 1},      {"abcabd", "a*b*d", 1}, {"aXbYc", "a*b*c", 1},
      {"abab", "*ab", 1},         {"aab", "*ab?", 0},     {"abxab", "ab*ab", 1},
      {"mississippi", "*sip*", 1}, {"ab", "*b*a", 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.want, strmatch(c.text, c.pattern)) << c.text << " ~ " << c.pattern;
  EXPECT_EQ(0, strmatch(nullptr, "*"));
}

// Without "*", a pattern matches exactly the texts of its length whose
// characters agree at every non-"?" position (ASCII letters folded).
TEST(StringScan, WildcardMatchWithoutStarIsPositionwise) {
  std::mt19937 rng(11);
  const char alphabet[] = "aAbB?";
  for (int round = 0; round < 5000; ++round) {
    std::string text, pattern;
    for (size_t n = rng() % 5; n; --n) text += alphabet[rng() % 4];
    for (size_t n = rng() % 5; n; --n) pattern += alphabet[rng() % 5];
    bool want = text.size() == pattern.size();
    for (size_t i = 0; want && i < text.size(); ++i)
      want = pattern[i] == '?' || std::tolower(pattern[i]) == std::tolower(text[i]);
    EXPECT_EQ(want ? 1 : 0, strmatch(text.c_str(), pattern.c_str())) << text << " ~ " << pattern;
  }
}

}  // namespace
