// Line ends to carriage return plus line feed, within the caller's buffer.
#include <cstring>

#include "veltra/strings.h"

// The budget shrinks by two per inserted pair although the text grows by
// one: the conversion stops early rather than late, and never writes past
// the buffer. A line feed at index 0 has no place for a carriage return
// before it and stays as it is.
char* strcrlf(char* text, int size) {
  if (!text || size < 1) return text;
  // A text that is not terminated within its buffer is left alone.
  const char* end = static_cast<const char*>(std::memchr(text, '\0', static_cast<size_t>(size)));
  if (!end) return text;
  long budget = size;
  size_t len = static_cast<size_t>(end - text);
  for (size_t i = 0; text[i]; ++i) {
    const bool lone_cr = text[i] == '\r' && text[i + 1] != '\n';
    const bool lone_lf = text[i] == '\n' && i > 0 && text[i - 1] != '\r';
    if (!lone_cr && !lone_lf) continue;
    if (static_cast<long>(len) + 2 > budget) break;
    std::memmove(text + i + 2, text + i + 1, len - i);  // the rest and its terminator
    text[i] = '\r';
    text[i + 1] = '\n';
    ++len;
    budget -= 2;
    ++i;
  }
  return text;
}
