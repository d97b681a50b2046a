// Editing in place: the last character, deleting, inserting, translating.
#include <cstring>

#include "veltra/strings.h"

char* strcutlast(char* text, char c) {
  if (!text) return text;
  size_t n = std::strlen(text);
  if (n > 0 && text[n - 1] == c) text[n - 1] = '\0';
  return text;
}

char* strappendlast(char* text, char c) {
  if (!text) return text;
  size_t n = std::strlen(text);
  if (n > 0) text[n - 1] = c;
  return text;
}

char* strdel(char* text, int pos, int count) {
  if (!text || pos < 0 || count < 0) return text;
  size_t len = std::strlen(text);
  size_t p = static_cast<size_t>(pos), k = static_cast<size_t>(count);
  if (p + k > len) return text;
  std::memmove(text + p, text + p + k, len - p - k + 1);
  return text;
}

char* strins(char* text, const char* insert, int pos) {
  if (!text || !insert || pos < 0) return text;
  size_t len = std::strlen(text), add = std::strlen(insert), p = static_cast<size_t>(pos);
  if (p > len) return text;
  std::memmove(text + p + add, text + p, len - p + 1);
  std::memcpy(text + p, insert, add);
  return text;
}

char* strxchg(char* text, const char* from, const char* to) {
  if (!text || !from || !to || std::strlen(from) != std::strlen(to)) return text;
  for (char* p = text; *p; ++p)
    if (const char* hit = std::strchr(from, *p)) *p = to[hit - from];
  return text;
}

char* strtopathstr(char* text) {
  if (!text) return text;
  static const char kFrom[] = "\"<>*/:?\\|";
  static const char kTo[] = "'{}______";
  return strxchg(text, kFrom, kTo);
}
