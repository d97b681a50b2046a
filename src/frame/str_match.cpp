// Wildcard matching ignoring case: "*" matches any run of characters, "?"
// one. Single characters fold as the code page's letters do (umlauts
// included); the literal part after a "*" is searched with the runtime's
// A-to-Z folding. The search takes the first place where a part fits and
// never comes back, which keeps the cost linear but makes some patterns
// fail that a backtracking matcher would accept.
#include <cstring>

#include "frame/ascii_case.h"
#include "port/charclass.h"
#include "veltra/strings.h"

namespace {

bool same_letter(char a, char b) {
  return vt::port::char_lower(static_cast<unsigned char>(a)) ==
         vt::port::char_lower(static_cast<unsigned char>(b));
}

}  // namespace

int strmatch(const char* text, const char* pattern) {
  if (!text || !pattern) return 0;
  if (!*text && *pattern == '*') return 1;
  const char* t = text;
  const char* p = pattern;
  while (*t && *p) {
    if (*p == '?') {
      ++t, ++p;
    } else if (*p == '*') {
      // A "?" right after a "*" demands no character of its own.
      while (*p == '*' || *p == '?') ++p;
      if (!*p) return 1;
      const size_t segment = std::strcspn(p, "*?");
      const char* hit = vt::frame::ascii_find(t, p, segment);
      if (!hit) return 0;
      t = hit;
      if (!std::strchr(p, '*')) {
        // The rest is anchored at the end of the text.
        const size_t rest = std::strlen(p), left = std::strlen(t);
        if (left >= rest && vt::frame::ascii_equal_n(t + left - rest, p, rest)) return 1;
      }
      t += segment;
      p += segment;
    } else {
      if (!same_letter(*p, *t)) return 0;
      ++t, ++p;
    }
  }
  if (!*p) return *t ? 0 : 1;
  return std::strcmp(p, "*") == 0;
}
