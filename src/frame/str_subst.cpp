// Replacing every occurrence of a text, ignoring case.
#include <cstring>

#include "frame/ascii_case.h"
#include "veltra/strings.h"

// The search continues after the inserted text, so a replacement that
// contains the searched text does not loop.
char* strsubst(char* text, const char* from, const char* to) {
  if (!text || !from || !to || !*from) return text;
  const size_t n_from = std::strlen(from), n_to = std::strlen(to);
  char* p = text;
  while (const char* hit = vt::frame::ascii_find(p, from, n_from)) {
    char* gap = const_cast<char*>(hit);
    if (n_from != n_to) std::memmove(gap + n_to, gap + n_from, std::strlen(gap + n_from) + 1);
    std::memcpy(gap, to, n_to);
    p = gap + n_to;
  }
  return text;
}
