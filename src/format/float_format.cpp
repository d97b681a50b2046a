// FormatFloat: a value as text under a format word.
#include <cmath>
#include <cstring>

#include "format/decimal_text.h"
#include "format/float_duration_text.h"
#include "format/float_text.h"
#include "format/point_in_time.h"
#include "format/radix_text.h"

namespace vt::format {

namespace {

constexpr char kNanText[] = "#NAN";
// A value too wide for its field falls back to exponent notation with at
// most width - 6 decimals: the leading digit, the point and the five
// characters of "E+ddd" take the rest of the field (a sign aside).
constexpr int kExponentOverhead = 6;

char* put_text(char* out, const char* text) {
  std::memcpy(out, text, std::strlen(text) + 1);
  return out;
}

// Representations 2 to 4: a blank field, or "-----.--" / "#####.##".
char* write_placeholder(char* out, int width, int decimals, char fill) {
  char* p = out;
  if (fill == ' ') {
    std::memset(p, ' ', width);
    p += width;
  } else {
    if (decimals >= width) decimals = 0;
    int integer = decimals ? width - decimals - 1 : width;
    std::memset(p, fill, integer);
    p += integer;
    if (decimals) {
      *p++ = '.';
      std::memset(p, fill, decimals);
      p += decimals;
    }
  }
  *p = '\0';
  return out;
}

// The text of value by the form of w before any width handling; the
// length, or -1 when a decimal text is too long for any field.
int write_form(char* out, Word w, double value) {
  if (w.format & (kBinary | kHex)) {
    if (value < kRadixMin || value > kRadixMax) return static_cast<int>(std::strlen(put_text(out, "#")));
    return write_radix(value, (w.format & kHex) != 0, out);
  }
  if (w.format & kTime) {
    if (value < -kMaxDurationSeconds || value > kMaxDurationSeconds)
      return static_cast<int>(std::strlen(put_text(out, "#")));
    return write_duration(value, w.decimals, out);
  }
  int len = (w.format & kExponent) ? write_exponent(value, w.decimals, out, kDecimalTextLimit)
                                   : write_fixed(value, w.decimals, out, kDecimalTextLimit);
  // A value that rounds to zero shows no sign.
  if (len > 0 && out[0] == '-' && !std::strpbrk(out, "123456789")) {
    std::memmove(out, out + 1, len);
    --len;
  }
  return len;
}

}  // namespace

char* format_float(char* out, Word w, double value, int representation) {
  int width = w.format & kWidthMask;
  switch (representation) {
    case kReprBlank: return write_placeholder(out, width, 0, ' ');
    case kReprDashes: return write_placeholder(out, width, w.decimals, '-');
    case kReprHashes: return write_placeholder(out, width, w.decimals, '#');
  }
  if (std::isnan(value)) return put_text(out, kNanText);
  if (std::isinf(value)) return put_text(out, value < 0 ? "#NINF" : "#INF");

  w = reduce_plain(w);
  width = w.format & kWidthMask;
  // The first form that applies: binary and hexadecimal digits come before
  // the date/time selection, as FormatStr and ScanFloat read such a word.
  if (is_date_time(w.format) && !(w.format & (kBinary | kHex))) {
    if (value < 0 || value > kLastEpochSecond || !write_point_in_time(value, width, out))
      return put_text(out, kNanText);
    return out;
  }

  int len = write_form(out, w, value);
  if (len < 0 || len > width) {
    int decimals = w.decimals;
    if (decimals >= width - kExponentOverhead)
      decimals = width > kExponentOverhead ? width - kExponentOverhead : 0;
    // decimals + 18 bytes always hold a mantissa of decimals digits.
    write_exponent(value, decimals, out, static_cast<std::size_t>(decimals) + 18);
  } else if ((w.format & kLeadingZeros) && len < width) {
    int at = (out[0] == '+' || out[0] == '-') ? 1 : 0;
    int pad = width - len;
    std::memmove(out + at + pad, out + at, static_cast<std::size_t>(len - at + 1));
    std::memset(out + at, '0', static_cast<std::size_t>(pad));
  }
  if (std::strchr(out, '#')) put_text(out, kNanText);
  return out;
}

}  // namespace vt::format
