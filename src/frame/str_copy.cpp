// Copying and filling.
#include <cstring>

#include "veltra/strings.h"

char* strxcpy(char* dst, const char* src, int size) {
  if (!dst || !src || size < 1) return dst;
  int n = 0;
  while (n < size - 1 && src[n]) {
    dst[n] = src[n];
    ++n;
  }
  dst[n] = '\0';
  return dst;
}

char* strmove(char* dst, const char* src) {
  if (!dst || !src) return dst;
  std::memmove(dst, src, std::strlen(src) + 1);
  return dst;
}

int strfill(char* buffer, char c, int count) {
  if (!buffer) return count;
  if (count > 0) std::memset(buffer, c, static_cast<size_t>(count));
  buffer[count > 0 ? count : 0] = '\0';
  return count;
}
