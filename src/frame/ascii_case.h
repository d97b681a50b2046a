// Case-blind comparison as the C runtime does it in its default locale:
// only the letters A to Z fold. The string functions that ignore case use
// this, except for the single-character test of wildcard matching.
#pragma once

#include <cstddef>

namespace vt::frame {

inline unsigned char ascii_lower(unsigned char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + ('a' - 'A')) : c;
}

// True when the first n bytes of a and b agree ignoring case; both must
// hold n bytes.
inline bool ascii_equal_n(const char* a, const char* b, size_t n) {
  for (size_t i = 0; i < n; ++i)
    if (ascii_lower(static_cast<unsigned char>(a[i])) != ascii_lower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

// First place in text where the n bytes of pattern occur ignoring case;
// null when none. n = 0 gives text.
inline const char* ascii_find(const char* text, const char* pattern, size_t n) {
  for (; ; ++text) {
    size_t i = 0;
    while (i < n && text[i] &&
           ascii_lower(static_cast<unsigned char>(text[i])) ==
               ascii_lower(static_cast<unsigned char>(pattern[i])))
      ++i;
    if (i == n) return text;
    if (!*text) return nullptr;
  }
}

}  // namespace vt::frame
