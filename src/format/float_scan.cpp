// ScanFloat: a value read from text under a format word.
#include <cstdint>
#include <cstring>
#include <limits>

#include "format/decimal_text.h"
#include "format/float_duration_text.h"
#include "format/float_text.h"
#include "format/point_in_time.h"
#include "format/radix_text.h"
#include "frame/ascii_case.h"
#include "port/char_class.h"
#include "frame/locale_state.h"

namespace vt::format {

namespace {

// The NaN that "#NAN" reads as: sign, all exponent bits and the top
// fraction bits set.
constexpr uint64_t kNanBits = 0xFFFF000000000000ull;

double nan_value() {
  double v;
  std::memcpy(&v, &kNanBits, sizeof v);
  return v;
}

// True when text is word, in any letter case, followed by nothing but white
// space.
bool is_special(const char* text, const char* word) {
  for (; *word; ++text, ++word)
    if (frame::ascii_lower(static_cast<unsigned char>(*text)) != frame::ascii_lower(static_cast<unsigned char>(*word)))
      return false;
  while (port::is_space(*text)) ++text;
  return *text == '\0';
}

// The form a prefix letter after "&" (or a lone "#") selects.
bool prefix_format(char c, int* format) {
  switch (c) {
    case '#': *format = 0; return true;
    case 'T': *format = kDateTime; return true;
    case 't': *format = kTime; return true;
    case 'b': *format = kBinary; return true;
    case 'x': *format = kHex; return true;
  }
  return false;
}

// Turns text to lower case and, when sep is not 0, its first sep into the
// point the decimal reading expects (what lcConvFloat does), in one pass.
// Only upper-case letters are stored, so the loop is mostly reads.
void lower_in_place(char* text, char sep) {
  char* p = text;
  for (; *p; ++p) {
    unsigned char c = static_cast<unsigned char>(*p), lower = frame::ascii_lower(c);
    if (lower != c) *p = static_cast<char>(lower);
    else if (c == static_cast<unsigned char>(sep) && sep) *p = '.', sep = 0;
  }
}

// error is 1 only when no character could be converted.
double read_plain_decimal(const char* text, int* error) {
  double v = 0;
  const char* end;
  DecimalRead r = read_decimal(text, &v, &end);
  *error = r != DecimalRead::kValue;
  return r == DecimalRead::kValue ? v : 0.0;
}

}  // namespace

double scan_float(char* text, int format, int* error) {
  char* p = text;
  while (port::is_space(*p)) ++p;
  *error = *p == '\0';
  if (*p == '#') {
    if (is_special(p, "#NAN")) return nan_value();
    if (is_special(p, "#INF")) return std::numeric_limits<double>::infinity();
    if (is_special(p, "#NINF")) return -std::numeric_limits<double>::infinity();
    format = 0;
    ++p;
  } else if (*p == '&' && p[1]) {
    ++p;
    if (prefix_format(*p, &format)) ++p;
  }
  Word w = reduce_plain({format, 0});
  bool decimal = !(w.format & (kBinary | kHex | kTime));
  char sep = vt::frame::decimal_separator();
  lower_in_place(p, decimal && sep != '.' ? sep : 0);

  if (w.format & (kBinary | kHex)) return read_radix(p, (w.format & kBinary) == 0, error);
  if (is_date_time(w.format)) return read_point_in_time(p, w.format & kWidthMask, error);
  if (w.format & kTime) return read_duration(p, error);
  return read_plain_decimal(p, error);
}

}  // namespace vt::format
