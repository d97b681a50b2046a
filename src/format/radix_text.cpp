// Binary and hexadecimal integers of 32 bits.
#include "format/radix_text.h"

#include <cstdint>
#include <cstring>

#include "port/char_class.h"

namespace vt::format {

namespace {

constexpr int kMaxBinaryDigits = 32;
constexpr int kMaxHexDigits = 8;
constexpr char kDigits[] = "0123456789ABCDEF";

// Letters that end a number with an error rather than quietly: digits and
// letters, including the German letters of code page 1252 in both cases.
bool is_word_char(unsigned char c) {
  if (port::is_digit(static_cast<char>(c)) || port::is_letter(static_cast<char>(c))) return true;
  static const unsigned char kUmlauts[] = {0xE4, 0xF6, 0xFC, 0xDF, 0xC4, 0xD6, 0xDC};
  return std::memchr(kUmlauts, c, sizeof kUmlauts) != nullptr;
}

int digit_value(char c, bool hex) {
  if (c >= '0' && c <= (hex ? '9' : '1')) return c - '0';
  if (hex && c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

int write_radix(double value, bool hex, char* out) {
  // Truncation toward zero; the range check keeps the cast defined.
  uint32_t bits = static_cast<uint32_t>(static_cast<int64_t>(value));
  int shift = hex ? 4 : 1;
  uint32_t mask = hex ? 0xF : 0x1;
  char tmp[kRadixTextSize];
  int n = 0;
  do {
    tmp[n++] = kDigits[bits & mask];
    bits >>= shift;
  } while (bits);
  for (int i = 0; i < n; ++i) out[i] = tmp[n - 1 - i];
  out[n] = '\0';
  return n;
}

double read_radix(const char* text, bool hex, int* error) {
  const char* p = text;
  double sign = 1.0;
  if (*p == '-') sign = -1.0, ++p;
  int max_digits = hex ? kMaxHexDigits : kMaxBinaryDigits;
  uint32_t n = 0;
  int count = 0;
  for (int d; count < max_digits && (d = digit_value(*p, hex)) >= 0; ++p, ++count)
    n = (n << (hex ? 4 : 1)) | static_cast<uint32_t>(d);
  *error = count == 0 || is_word_char(static_cast<unsigned char>(*p));
  return sign * static_cast<double>(n);
}

}  // namespace vt::format
