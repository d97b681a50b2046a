// Searching: ignoring case, with options, and outside brackets.
#include <cstring>

#include "frame/ascii_case.h"
#include "port/charclass.h"
#include "veltra/strings.h"

namespace {
constexpr int kWholeWordAtEnd = 2;
constexpr int kExactCase = 4;
}  // namespace

char* stristr(char* text, const char* pattern) {
  if (!text || !pattern) return nullptr;
  return const_cast<char*>(vt::frame::ascii_find(text, pattern, std::strlen(pattern)));
}

// Only the character after an occurrence decides whether it ends a word;
// the one before is not looked at, so "cat" is found in "concat".
char* strfind(char* text, const char* pattern, int flags) {
  if (!text || !pattern || !*text || !*pattern) return nullptr;
  const size_t n = std::strlen(pattern);
  for (char* from = text;;) {
    char* hit = (flags & kExactCase) ? std::strstr(from, pattern) : stristr(from, pattern);
    if (!hit || !(flags & kWholeWordAtEnd)) return hit;
    if (!vt::port::char_is_alnum(static_cast<unsigned char>(hit[n]))) return hit;
    from = hit + n;
  }
}

// A closing character is tested first, so that with a quote as both
// opening and closing character the second one closes.
char* strchrex(char* text, char c, const char* pair) {
  if (!text) return nullptr;
  const char open = pair && pair[0] ? pair[0] : '\0';
  const char close = pair && pair[0] ? pair[1] : '\0';
  int depth = 0;
  for (char* p = text; *p; ++p) {
    if (close && *p == close && depth > 0)
      --depth;
    else if (open && *p == open)
      ++depth;
    else if (*p == c && depth == 0)
      return p;
  }
  return nullptr;
}
