// Mask text to format word, accepting only the forms a caller allows.
#include <cstring>

#include "format/format_word.h"
#include "port/char_class.h"

namespace vt::format {

namespace {

// The pieces that mark a date/time field when they occur anywhere in the
// mask. They differ from the pieces FormatStr writes: minutes are known only
// as ":MM" and the month only as "MM.", so "MM" alone is never ambiguous.
struct FieldMark {
  int bit;
  const char* mark;
};
constexpr FieldMark kFieldMarks[] = {
    {kFieldSeconds, "SS"}, {kFieldMinutes, ":MM"}, {kFieldHours, "HH"},
    {kFieldDay, "DD"},     {kFieldMonth, "MM."},   {kFieldYear, "YY"},
    {kFieldWeekday, "W"},
};
constexpr const char* kDateTimeStarts = "YMDHMSW";
constexpr const char* kDateTimeMaskChars = " .:/WDMYHMS";

const char* skip_spaces(const char* p) {
  while (port::is_space(*p)) ++p;
  return p;
}

int count_run(const char*& p, char c) {
  int n = 0;
  while (*p == c) ++p, ++n;
  return n;
}

// The date/time selection: the field set comes from the marks found in the
// rest of the text, which must consist of mask characters only.
bool scan_date_time(const char* p, int flags, Word* out) {
  if (flags & kExponent) return false;  // no exponent on a point in time
  int fields = 0;
  for (const FieldMark& f : kFieldMarks)
    if (std::strstr(p, f.mark)) fields |= f.bit;
  p += std::strspn(p, kDateTimeMaskChars);
  if (*p || !fields) return false;
  *out = {fields | flags | kDateTime, 0};
  return true;
}

// "hh:mm:ss" with an optional point and a run of "s" (fractional seconds).
// Returns the position after what was read.
const char* scan_duration(const char* p, int* width, int* decimals) {
  constexpr const char kDuration[] = "hh:mm:ss";
  constexpr std::size_t kDurationLen = sizeof kDuration - 1;
  if (std::strncmp(p, kDuration, kDurationLen) != 0) return p;
  p += kDurationLen;
  *width = kDurationWidth;
  if (*p != '.') return p;
  const char* q = p + 1;
  int n = count_run(q, 's');
  if (*skip_spaces(q)) return p;  // something else after the point
  *decimals = n;
  return q;
}

}  // namespace

bool scan_mask(const char* text, int allowed, Word* out) {
  const char* p = skip_spaces(text);
  int flags = 0, width = 0, decimals = 0;
  if ((allowed & kLeadingZeros) && *p == '0') flags = kLeadingZeros, ++p;
  if ((allowed & kExponent) && *p == 'E') flags = kExponent, ++p;

  if (*p == 'b' && (allowed & kBinary)) {
    width = count_run(p, 'b');
    flags |= kBinary;
  } else if (*p == 'x' && (allowed & kHex)) {
    width = count_run(p, 'x');
    flags |= kHex;
  } else if (*p && std::strchr(kDateTimeStarts, *p) && (allowed & kDateTime)) {
    return scan_date_time(p, flags, out);
  } else if (*p == 'h' && (allowed & kTime)) {
    // A leading zero would turn the duration into a date/time word.
    if (flags & kLeadingZeros) return false;
    p = scan_duration(p, &width, &decimals);
    flags |= kTime;
  } else {
    width = count_run(p, '#');
    if (*p == '.') {
      ++p;
      decimals = count_run(p, '#');
    }
  }

  if (decimals) width += decimals + 1;
  if (flags & kExponent) {
    width += kExponentChars;
    if (flags & (kBinary | kHex | kTime | kLeadingZeros)) return false;
  }
  if (*skip_spaces(p)) return false;
  if (width > kMaxScannedWidth || width == 0) return false;
  if (decimals && decimals > width - 2) return false;
  *out = {width | flags, decimals};
  return true;
}

}  // namespace vt::format
