// White space: the blank and the control characters 9 to 13. Bytes above
// 127 are never space, also when they arrive as negative signed chars.
#include <cstring>

#include "port/char_class.h"
#include "veltra/strings.h"

namespace {
constexpr int kTrimLeading = 1;
constexpr int kTrimTrailing = 2;

bool is_control_space(unsigned char c) { return c >= 9 && c <= 13; }
}  // namespace

int _isspace(int c) { return c == ' ' || (c >= 9 && c <= 13); }

char* strspace(char* text) {
  if (!text) return text;
  for (char* p = text; *p; ++p)
    if (is_control_space(static_cast<unsigned char>(*p))) *p = ' ';
  return text;
}

int strwhite(const char* text) {
  if (!text) return 1;
  for (; *text; ++text)
    if (!vt::port::is_space(*text)) return 0;
  return 1;
}

char* strtrim(char* text, int flags) {
  if (!text || !*text) return text;
  if (flags & kTrimTrailing) {
    size_t n = std::strlen(text);
    while (n > 0 && vt::port::is_space(text[n - 1])) --n;
    text[n] = '\0';
  }
  if (flags & kTrimLeading) {
    size_t lead = 0;
    while (vt::port::is_space(text[lead])) ++lead;
    if (lead) std::memmove(text, text + lead, std::strlen(text + lead) + 1);
  }
  return text;
}
