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
long at(const std::string& text, const char* hit) { return hit ? hit - text.c_str() : -1; }

TEST(StringScan, Searches) {
  struct Case { const char *text, *pattern; int flags; long want; } finds[] = {
      {"catalog cat", "cat", 2, 8}, {"concat", "cat", 2, 3},   {"catalog cat", "cat", 0, 0},
      {"CATalog", "cat", 0, 0},     {"CATalog", "cat", 4, -1}, {"catalogs", "cat", 2, -1},
      {"cat\xe4", "cat", 2, -1},    {"cat_x", "cat", 2, 0},    {"", "a", 0, -1}, {"abc", "", 0, -1},
      {"aaa", "aa", 2, -1},  // the search goes on after the whole occurrence
  };
  for (const Case& c : finds) {
    std::string t = c.text;
    EXPECT_EQ(c.want, at(t, strfind(&t[0], c.pattern, c.flags))) << c.text << " / " << c.pattern;
  }
  std::string t = "Hello World";
  for (auto [pattern, want] : {std::pair<const char*, long>{"wORLD", 6}, {"", 0}, {"worlds", -1}})
    EXPECT_EQ(want, at(t, stristr(&t[0], pattern))) << pattern;
  struct Bracket { const char *text, *pair; char c; long want; } brackets[] = {
      {"f(a,b),c", "()", ',', 6}, {"(a,(b,c)),d", "()", ',', 9}, {"'a,b',c", "''", ',', 5},
      {"a),b", "()", ')', 1},     {"(a,b", "()", ',', -1},       {"x(y", "()", '(', -1}, {"", "()", ',', -1},
  };
  for (const Bracket& c : brackets) {
    std::string b = c.text;
    EXPECT_EQ(c.want, at(b, strchrex(&b[0], c.c, c.pair))) << c.text;
  }
}

std::vector<std::string> tokens(std::string text, const char* delimiters) {
  std::vector<std::string> out;
  for (char* t = strtoks(&text[0], delimiters); t; t = strtoks(nullptr, delimiters)) out.push_back(t);
  return out;
}

TEST(StringScan, TokenizerKeepsEmptyFields) {
  using V = std::vector<std::string>;
  EXPECT_EQ((V{"a", "", "b", "", "c"}), tokens("a,,b;,c", ",;"));
  EXPECT_EQ((V{"", "a"}), tokens(",a", ","));
  EXPECT_EQ((V{"a"}), tokens("a,", ","));
  EXPECT_EQ((V{}), tokens("", ","));
  EXPECT_EQ((V{"a,b"}), tokens("a,b", nullptr));
}

// Two threads tokenize long texts at the same time; each sees exactly its
// own fields, because the scan position belongs to the thread.
TEST(StringScan, TokenizerPositionIsPerThread) {
  constexpr int kFields = 20000;
  auto run = [](char letter, bool* ok) {
    std::string text;
    std::vector<std::string> want;
    for (int i = 0; i < kFields; ++i) text += (want.emplace_back(1 + i % 3, letter), want.back() + ",");
    *ok = tokens(text, ",") == want;
  };
  bool a = false, b = false;
  std::thread ta(run, 'a', &a), tb(run, 'b', &b);
  ta.join();
  tb.join();
  EXPECT_TRUE(a && b);
}

TEST(StringScan, SubstituteIgnoresCaseAndNeverRescans) {
  struct Case {
    const char *text, *from, *to, *want;
  } cases[] = {{"a-A-a", "a", "aa", "aa-aa-aa"}, {"xABCx abc", "abc", "", "xx "}, {"aaa", "aa", "b", "ba"},
               {"P $INSTALL\\x", "$install", "C:\\P", "P C:\\P\\x"}, {"abc", "", "x", "abc"}};
  for (const Case& c : cases) {
    char buf[32];
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
// the text grows by one, so m pairs need len + 3m - 1 bytes. A cut-short
// conversion leaves the rest as it was: converting it again gives the full
// result.
TEST(StringScan, LineEndsBecomePairsWithinTheBuffer) {
  for (const char* text : {"a\nb", "a\r\nb", "\nab", "a\rb\r", "\n\n\r\r", "x\r\n\ny", "", "a\nb\nc"}) {
    const std::string want = crlf_reference(text);
    const size_t len = std::strlen(text), pairs = want.size() - len;
    const size_t needed = pairs ? len + 3 * pairs - 1 : len + 1;
    for (size_t size = len + 1; size <= needed + 2; ++size) {
      std::string buf(size + 1, '\x7f');
      std::strcpy(&buf[0], text);
      const std::string got = strcrlf(&buf[0], static_cast<int>(size));
      EXPECT_EQ('\x7f', buf[size]) << "wrote past size " << size;
      EXPECT_EQ(size >= needed, got == want) << "size " << size;
      EXPECT_EQ(want, crlf_reference(got));
    }
  }
  std::vector<char> unterminated(4, '\n');  // exact heap block: a read past it is caught
  strcrlf(unterminated.data(), 4);
  EXPECT_EQ(std::vector<char>(4, '\n'), unterminated);
}

TEST(StringScan, EscapeAndUnescapeWithinTheBuffer) {
  struct Escape { const char* src; int size; const char* want; bool complete; } escapes[] = {
      // an escape needs the room of the longest one, four characters
      {"abc", 4, "abc", false},   {"abc", 5, "abc", true},        {"a\tb", 5, "a", false},
      {"a\tb", 6, "a\\tb", true}, {"\x1b", 5, "\\x1b", false},    {"\x1b", 6, "\\x1b", true},
      {"\x1b", 4, "", false},     {"a\r\n", 8, "a\\r\\n", true},  {"\\x", 4, "\\x", true},
      {"", 1, "", true},          {"a", 1, "", false},
  };
  for (const Escape& c : escapes) {
    std::string buf(static_cast<size_t>(c.size) + 1, '\x7f');
    EXPECT_EQ(c.complete ? &buf[0] : nullptr, strtoinistr(&buf[0], c.src, c.size)) << c.src << " " << c.size;
    EXPECT_STREQ(c.want, buf.c_str());
    EXPECT_EQ('\x7f', buf.back());
  }
  struct Unescape { const char* src; int size; std::string want; } unescapes[] = {
      {"a\\tb\\r\\n", 16, "a\tb\r\n"}, {"\\x1b\\x41", 16, "\x1b" "A"}, {"\\x4g", 16, std::string("\x04", 1)},
      {"\\x 5", 16, "\x05"},           {"\\x-1", 16, "\xff"},          {"\\q\\", 16, "\\q\\"},
      {"\\x4", 16, "\\x4"},            {"abcdef", 4, "abc"},            {"\\t\\t", 2, "\t"}, {"ab", 1, ""},
  };
  for (const Unescape& c : unescapes) {
    std::string buf(static_cast<size_t>(c.size) + 1, '\x7f');
    const int n = inistrtostr(&buf[0], c.src, c.size);
    EXPECT_EQ(c.want + '\0', buf.substr(0, static_cast<size_t>(n) + 1)) << c.src;
    EXPECT_EQ('\x7f', buf.back());
  }
}

// Any text without backslashes survives escaping and unescaping, and its
// one-line form holds no control character.
TEST(StringScan, EscapeRoundTrip) {
  std::mt19937 rng(7);
  for (int round = 0; round < 2000; ++round) {
    std::string text;
    for (size_t len = rng() % 40; text.size() < len;)
      if (char c = static_cast<char>(1 + rng() % 255); c != '\\') text += c;
    std::vector<char> line(4 * text.size() + 2), back(text.size() + 1);
    ASSERT_NE(nullptr, strtoinistr(line.data(), text.c_str(), static_cast<int>(line.size())));
    for (const char* p = line.data(); *p; ++p) ASSERT_GE(static_cast<unsigned char>(*p), 32);
    EXPECT_EQ(static_cast<int>(text.size()), inistrtostr(back.data(), line.data(), static_cast<int>(back.size())));
    EXPECT_EQ(text, back.data());
  }
}

// The table holds the star cases; without "*", a pattern matches exactly
// the texts of its length whose characters agree at every non-"?" position
// (letters folded), checked over random short texts.
TEST(StringScan, WildcardMatch) {
  struct Case { const char *text, *pattern; int want; } cases[] = {
      {"README.TXT", "*.txt", 1}, {"abc", "abc*", 1}, {"abc", "abc**", 0}, {"", "?*", 0},      {"", "*", 1},
      {"", "*x", 1},              {"abc", "a*?c", 1}, {"abcabd", "*abd", 1}, {"aXbYc", "a*b*c", 1},
      {"aab", "*ab?", 0},         {"abxab", "ab*ab", 1}, {"ab", "*b*a", 0},
      {"\xc4rger", "\xe4rger", 1},     // single characters fold umlauts
      {"x\xc4rger", "x*\xe4rger", 0},  // the part after * folds only A to Z
  };
  for (const Case& c : cases) EXPECT_EQ(c.want, strmatch(c.text, c.pattern)) << c.text << " ~ " << c.pattern;
  EXPECT_EQ(0, strmatch(nullptr, "*"));
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
