#include "result_text.h"

#include <charconv>
#include <cmath>
#include <cstring>

#include "veltra/format.h"

namespace vtcalc {

namespace {

// Six significant digits, like a spreadsheet.
constexpr int kResultDigits = 6;
// The forms --format accepts: decimal, leading zeros, exponent, binary,
// hexadecimal, duration.
constexpr std::int16_t kMaskForms = 0x0F80;
constexpr std::int16_t kExponent = 0x0800, kBinary = 0x0080, kHex = 0x0100, kDuration = 0x0200;
constexpr int kHashes = 4;  // FormatFloat's placeholder of "#"

std::size_t set_decimal(char* s, std::size_t n, char decimal) {
  if (decimal != '.')
    for (std::size_t i = 0; i < n; ++i)
      if (s[i] == '.') s[i] = decimal;
  return n;
}

}  // namespace

bool parse_mask(const char* text, ResultFormat& out) {
  ResultFormat f;
  if (!ScanFormat(text, &f.format, &f.decimals, kMaskForms)) return false;
  f.given = true;
  out = f;
  return true;
}

std::size_t result_text(char* out, float v, const ResultFormat& f, char decimal) {
  if (std::isnan(v)) return std::strlen(std::strcpy(out, "#NAN"));
  if (std::isinf(v)) return std::strlen(std::strcpy(out, v > 0 ? "#INF" : "#NINF"));
  if (!f.given) {
    auto r = std::to_chars(out, out + kResultTextSize - 1, v, std::chars_format::general, kResultDigits);
    *r.ptr = '\0';
    return set_decimal(out, r.ptr - out, decimal);
  }
  FormatFloat(out, f.format, f.decimals, v, 0);
  std::size_t n = std::strlen(out);
  // FormatFloat turns a number too wide for a decimal mask into exponent
  // form; a binary, hexadecimal or duration text longer than its mask has
  // lost digits. Both are overflow.
  bool letters = !(f.format & (kExponent | kHex | kBinary | kDuration)) && std::strchr(out, 'E');
  bool wider = static_cast<int>(n) > FormatStrLen(f.format, f.decimals);
  if (letters || wider) {
    FormatFloat(out, f.format, f.decimals, v, kHashes);
    n = std::strlen(out);
  }
  // A duration's point stays; a number takes the file's decimal mark.
  return (f.format & kDuration) ? n : set_decimal(out, n, decimal);
}

}  // namespace vtcalc
