// Reading points in time: the keyword form first (NOW, DAY-1D, ...), else a
// date and a time of day in the locale's notation, defaulting to today at
// midnight for the parts not given.
#include <cstring>

#include "frame/locale_state.h"
#include "time/broken.h"
#include "time/clock.h"
#include "frame/number_field.h"
#include "port/char_class.h"
#include "time/timestr.h"
#include "veltra/tmsmap.h"

namespace vt::time {

namespace {

constexpr int kKeywordCopySize = 80;  // the text is read up to 79 characters

struct Keyword {
  const char* word;
  tmsmap::floormode floor;
  bool floored;
};
// Tried in this order; the first that the text begins with wins.
constexpr Keyword kKeywords[] = {
    {"NOW", tmsmap::floor_second, false},   {"SECOND", tmsmap::floor_second, true},
    {"MINUTE", tmsmap::floor_minute, true}, {"HOUR", tmsmap::floor_hour, true},
    {"DAY", tmsmap::floor_day, true},       {"WEEK", tmsmap::floor_week, true},
    {"MONTH", tmsmap::floor_month, true},   {"YEAR", tmsmap::floor_year, true},
    {"SHIFT", tmsmap::floor_shift8, true},
};

int32_t clamp_count(int64_t v) {
  return v > INT32_MAX ? INT32_MAX : v < INT32_MIN ? INT32_MIN : static_cast<int32_t>(v);
}

// Ranges of the fields of a written date and time.
struct Range {
  int32_t lo, hi;
};
constexpr Range kDayRange{1, 31}, kMonthRange{1, 12}, kYearRange{0, 2500}, kLastYearRange{0, 2100},
    kHourRange{0, 23}, kMinuteRange{0, 59};

// One field: the number as read (0 when none) and whether it counts as
// valid in strict mode (digits, in range, no letter right after it).
struct Field {
  int32_t value;
  bool valid;
};

// Field values are kept within a billion either way, so that the record's
// arithmetic (month - 1, year - 1900) cannot overflow; mktime rejects them.
constexpr int64_t kFieldLimit = 1000000000;

Field read_field(const char* p, Range r) {
  frame::NumberField n = frame::read_number(p);
  int32_t v = static_cast<int32_t>(n.value > kFieldLimit    ? kFieldLimit
                                   : n.value < -kFieldLimit ? -kFieldLimit
                                                            : n.value);
  return Field{v, n.digits > 0 && v >= r.lo && v <= r.hi && !port::is_letter(*n.end)};
}

// Cuts the next field off `*p`: it ends at either of the one or two
// characters of `seps` (overwritten by
// NUL) or, for the last field, runs to the end. Null when nothing is left.
char* next_field(char** p, const char* seps, bool last) {
  char* start = *p;
  if (*start == '\0') return nullptr;
  if (last) {
    *p = start + std::strlen(start);
    return start;
  }
  // One or two separators: a plain loop beats the library's span search.
  char* end = start;
  while (*end && *end != seps[0] && (seps[1] == '\0' || *end != seps[1])) ++end;
  if (*end) *end++ = '\0';
  *p = end;
  return start;
}

// Year as written to tm_year: 00-69 are 2000-2069, 70-99 are 1970-1999, and
// larger numbers are full years.
int32_t tm_year_of(int32_t y) {
  if (y < 70) return y + 100;
  if (y < 100) return y;
  return y - 1900;
}

// Date fields a text gave (the others are today's).
constexpr unsigned kGivenDay = 1, kGivenMonth = 2, kGivenYear = 4;
constexpr unsigned kGivenDate = kGivenDay | kGivenMonth | kGivenYear;

bool read_date(char* word, int strict, vt_tm& r, unsigned& given) {
  const char* order = frame::date_order();
  const char seps[2] = {frame::date_separator(), '\0'};
  char* p = word;
  for (int pos = 0; pos < 3; ++pos) {
    char* text = next_field(&p, seps, pos == 2);
    if (!text) break;
    Field f{0, false};
    switch (order[pos]) {
      case 'D':
        f = read_field(text, kDayRange);
        r.tm_mday = f.value;
        given |= kGivenDay;
        break;
      case 'M':
        f = read_field(text, kMonthRange);
        r.tm_mon = f.value - 1;
        given |= kGivenMonth;
        break;
      case 'Y':
        f = read_field(text, pos == 2 ? kLastYearRange : kYearRange);
        r.tm_year = tm_year_of(f.value);
        given |= kGivenYear;
        break;
      default:
        break;
    }
    if (strict && !f.valid) return false;
  }
  return true;
}

bool digits_then_blanks(const char* p) {
  p = port::skip_space(p);
  if (*p == '+' || *p == '-') ++p;
  if (!port::is_digit(*p)) return false;
  while (port::is_digit(*p)) ++p;
  return *port::skip_space(p) == '\0';
}

bool read_clock(char* word, int strict, vt_tm& r) {
  const char seps[3] = {frame::time_separator(), ' ', '\0'};
  char* p = word;
  char* hour = next_field(&p, seps, false);
  if (!hour) return true;  // no hour: midnight
  char* minute = next_field(&p, seps, false);
  char* second = next_field(&p, seps, true);
  Field h = read_field(hour, kHourRange);
  Field m = minute ? read_field(minute, kMinuteRange) : Field{0, true};
  Field s = second ? read_field(second, kMinuteRange) : Field{0, true};
  if (strict) {
    if (!h.valid || !m.valid || !s.valid) return false;
    if (strict == 2 && !minute) return false;
    if (second && !digits_then_blanks(second)) return false;
  }
  r.tm_hour = h.value;
  r.tm_min = m.value;
  r.tm_sec = s.value;
  return true;
}

// The form TimeStr writes, "dd.mm.yyyy hh:mm:ss" in the locale's order and
// separators, read in one pass with the same field rules as the general
// reader; false when the text has another shape (the general reader then
// decides), kInvalidTime in `result` when a field fails a strict check.
bool read_written_form(const char* text, int strict, uint32_t& result) {
  const char* order = frame::date_order();
  // Only an order naming each of D, M and Y once fixes every date field.
  unsigned letters = 0;
  for (int i = 0; i < 3; ++i)
    letters |= order[i] == 'D' ? 1u : order[i] == 'M' ? 2u : order[i] == 'Y' ? 4u : 8u;
  if (letters != 7u) return false;
  const char date_sep = frame::date_separator(), time_sep = frame::time_separator();
  const char* p = text;
  int32_t value[6];
  for (int i = 0; i < 6; ++i) {
    int width = i < 3 && order[i] == 'Y' ? 4 : 2;
    int32_t v = 0;
    for (int k = 0; k < width; ++k, ++p) {
      if (!port::is_digit(*p)) return false;
      v = v * 10 + (*p - '0');
    }
    value[i] = v;
    char sep = i < 2 ? date_sep : i == 2 ? ' ' : i < 5 ? time_sep : '\0';
    if (*p != sep) return false;
    if (sep) ++p;
  }
  vt_tm r{};
  bool valid = true;
  for (int i = 0; i < 3; ++i) {
    int32_t v = value[i];
    switch (order[i]) {
      case 'D':
        valid &= v >= kDayRange.lo && v <= kDayRange.hi;
        r.tm_mday = v;
        break;
      case 'M':
        valid &= v >= kMonthRange.lo && v <= kMonthRange.hi;
        r.tm_mon = v - 1;
        break;
      case 'Y':
        valid &= v <= (i == 2 ? kLastYearRange.hi : kYearRange.hi);
        r.tm_year = tm_year_of(v);
        break;
    }
  }
  valid &= value[3] <= kHourRange.hi && value[4] <= kMinuteRange.hi && value[5] <= kMinuteRange.hi;
  if (strict && !valid) {
    result = kInvalidTime;
    return true;
  }
  r.tm_hour = value[3];
  r.tm_min = value[4];
  r.tm_sec = value[5];
  r.tm_wday = r.tm_yday = r.tm_isdst = -1;
  result = local_seconds(&r, false);
  return true;
}

}  // namespace

uint32_t scan_keyword_time(const char* text) {
  if (!text || !*text) return kInvalidTime;
  // Every keyword starts with one of these letters: other texts (dates,
  // times) are turned away without copying them.
  switch (text[0] | 0x20) {  // folds A-Z onto a-z
    case 'n': case 's': case 'm': case 'h': case 'd': case 'w': case 'y': break;
    default: return kInvalidTime;
  }
  char copy[kKeywordCopySize];
  size_t n = 0;
  for (; n + 1 < sizeof copy && text[n]; ++n) {
    char c = text[n];
    copy[n] = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
  }
  copy[n] = '\0';
  const Keyword* k = nullptr;
  for (const Keyword& candidate : kKeywords)
    if (std::strncmp(copy, candidate.word, std::strlen(candidate.word)) == 0) {
      k = &candidate;
      break;
    }
  if (!k) return kInvalidTime;
  tmsmap value(static_cast<vt_time_t>(now()));
  if (k->floored) value.floorne(k->floor);
  const char* p = port::skip_space(copy + std::strlen(k->word));
  while (*p) {
    frame::NumberField num = frame::read_number(p);
    if (num.digits == 0) return kInvalidTime;
    int32_t count = clamp_count(num.value);
    p = port::skip_space(num.end);
    switch (*p++) {
      case 'D': value.addne(count, 0, 0, 0, 0); break;
      case 'W': value.addne(0, count, 0, 0, 0); break;
      case 'Y': value.addne(0, 0, 0, 0, count); break;
      case 'H': value = double(value) + 3600.0 * num.value; break;
      case 'S': value = double(value) + double(num.value); break;
      case 'M':
        if (*p == 'O') {
          ++p;
          value.addne(0, 0, count, 0, 0);
        } else {
          value = double(value) + 60.0 * num.value;
        }
        break;
      default: return kInvalidTime;
    }
    p = port::skip_space(p);
  }
  // Hour, minute and second offsets can carry the value out of the range
  // (or past 32 bits): that is no time rather than a wrapped one.
  if (!(double(value) >= 0.0 && double(value) < double(kMaxTime) + 1.0)) return kInvalidTime;
  return static_cast<uint32_t>(!value);
}

uint32_t scan_time(char* text, int strict) {
  uint32_t keyword = scan_keyword_time(text);
  if (keyword != kInvalidTime) return keyword;
  if (!text) return kInvalidTime;
  uint32_t written;
  if (read_written_form(text, strict, written)) return written;
  vt_tm r{};
  unsigned given = 0;
  char* p = text;
  char* w1 = next_field(&p, " ", false);
  while (w1 && *w1 == '\0') w1 = next_field(&p, " ", false);  // runs of blanks
  char* w2 = next_field(&p, " ", false);
  while (w2 && *w2 == '\0') w2 = next_field(&p, " ", false);
  if (!w1) {
    if (strict) return kInvalidTime;
    uint32_t current = now();
    return localtime(current) ? current : kInvalidTime;
  }
  if (!w2 && !std::strchr(w1, frame::date_separator())) {
    if (strict == 2 || !read_clock(w1, strict, r)) return kInvalidTime;
  } else {
    if (!read_date(w1, strict, r, given)) return kInvalidTime;
    if (w2 && !read_clock(w2, strict, r)) return kInvalidTime;
  }
  // The parts of the date not given are today's: the clock is read only
  // when the text needs it.
  if (given != kGivenDate) {
    const vt_tm* today = localtime(now());
    if (!today) return kInvalidTime;
    if (!(given & kGivenDay)) r.tm_mday = today->tm_mday;
    if (!(given & kGivenMonth)) r.tm_mon = today->tm_mon;
    if (!(given & kGivenYear)) r.tm_year = today->tm_year;
  }
  r.tm_wday = r.tm_yday = r.tm_isdst = -1;
  return local_seconds(&r, false);
}

}  // namespace vt::time
