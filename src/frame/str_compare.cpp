// Whole-string and prefix comparison, exact and ignoring case.
#include <cstring>

#include "frame/ascii_case.h"
#include "veltra/strings.h"

using vt::frame::ascii_equal_n;

int strequal(const char* a, const char* b) {
  if (!a || !b) return a == b;
  return std::strcmp(a, b) == 0;
}

int striequal(const char* a, const char* b) {
  if (!a || !b) return a == b;
  size_t n = std::strlen(a);
  return std::strlen(b) == n && ascii_equal_n(a, b, n);
}

int strnequal(const char* text, const char* prefix) {
  if (!text || !prefix) return 0;
  return std::strncmp(text, prefix, std::strlen(prefix)) == 0;
}

// The prefix may be longer than the text: the text's terminator then
// differs from the prefix character, and the comparison stops there.
int strniequal(const char* text, const char* prefix) {
  if (!text || !prefix) return 0;
  for (; *prefix; ++text, ++prefix)
    if (vt::frame::ascii_lower(static_cast<unsigned char>(*text)) !=
        vt::frame::ascii_lower(static_cast<unsigned char>(*prefix)))
      return 0;
  return 1;
}
