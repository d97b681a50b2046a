// A reversible one-line form of text with control characters, for values
// stored in ini files: tab, line feed and carriage return become backslash
// t, n and r, other bytes below 32 backslash x and two hex digits. The
// backslash itself is not escaped, so texts that already hold such
// sequences do not come back unchanged.
#include <cstdio>
#include <cstdlib>

#include "veltra/strings.h"

namespace {
// The longest escape: backslash, x and two digits.
constexpr int kLongestEscape = 4;
// Characters after the backslash-x that form the byte's value.
constexpr int kHexDigits = 2;
}  // namespace

char* strtoinistr(char* dst, const char* src, int size) {
  if (!dst || size < 1) return nullptr;
  const int limit = size - 1;
  int out = 0;
  bool complete = true;
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(src ? src : ""); *p; ++p) {
    if (out >= limit) {  // only when dst cannot hold even one character
      complete = false;
      break;
    }
    const unsigned char c = *p;
    if (c < 32) {
      if (out >= limit - (kLongestEscape - 1)) {
        complete = false;
        break;
      }
      dst[out++] = '\\';
      switch (c) {
        case 9: dst[out++] = 't'; break;
        case 10: dst[out++] = 'n'; break;
        case 13: dst[out++] = 'r'; break;
        default:
          std::snprintf(dst + out, kLongestEscape, "x%2.2hx", static_cast<unsigned short>(c));
          out += kLongestEscape - 1;
      }
    } else {
      dst[out++] = static_cast<char>(c);
    }
    // A full dst counts as too small even when the source ends here.
    if (out >= limit) {
      complete = false;
      break;
    }
  }
  dst[out] = '\0';
  return complete ? dst : nullptr;
}

int inistrtostr(char* dst, const char* src, int size) {
  if (!dst || size < 1) return 0;
  const int limit = size - 1;
  int out = 0;
  const char* p = src ? src : "";
  while (*p && out < limit) {
    char c = *p;
    int used = 1;
    if (c == '\\') {
      switch (p[1]) {
        case 't': c = '\t'; used = 2; break;
        case 'r': c = '\r'; used = 2; break;
        case 'n': c = '\n'; used = 2; break;
        case 'x':
          if (p[2] && p[3]) {  // the escape is complete: never read past the terminator
            const char digits[kHexDigits + 1] = {p[2], p[3], '\0'};
            c = static_cast<char>(std::strtol(digits, nullptr, 16) & 0xFF);
            used = 2 + kHexDigits;
          }
          break;
      }
    }
    dst[out++] = c;
    p += used;
  }
  dst[out] = '\0';
  return out;
}
