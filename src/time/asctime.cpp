// asctime's fixed 24-character form and its process-wide buffer.
#include "time/asctime.h"

namespace vt::time {

namespace {

constexpr int kAsctimeSize = 26;  // 24 characters, line feed, NUL
char g_asctime[kAsctimeSize];

const char kWeekdays[] = "SunMonTueWedThuFriSat";
const char kMonths[] = "JanFebMarAprMayJunJulAugSepOctNovDec";

// Three letters of a name table; an index outside it gives "???" rather than
// reading past the table.
char* put_name(char* p, const char* table, int32_t count, int32_t index) {
  for (int i = 0; i < 3; ++i) *p++ = index >= 0 && index < count ? table[3 * index + i] : '?';
  return p;
}

// Tens and ones digit of v (of its magnitude when it has more digits).
char* put2(char* p, int32_t v) {
  uint32_t u = v < 0 ? 0u - static_cast<uint32_t>(v) : static_cast<uint32_t>(v);
  *p++ = static_cast<char>('0' + u / 10 % 10);
  *p++ = static_cast<char>('0' + u % 10);
  return p;
}

}  // namespace

char* asctime(const vt_tm& r) {
  char* p = g_asctime;
  p = put_name(p, kWeekdays, 7, r.tm_wday);
  *p++ = ' ';
  p = put_name(p, kMonths, 12, r.tm_mon);
  *p++ = ' ';
  p = put2(p, r.tm_mday);
  *p++ = ' ';
  p = put2(p, r.tm_hour);
  *p++ = ':';
  p = put2(p, r.tm_min);
  *p++ = ':';
  p = put2(p, r.tm_sec);
  *p++ = ' ';
  p = put2(p, r.tm_year / 100 + 19);
  p = put2(p, r.tm_year % 100);
  *p++ = '\n';
  *p = '\0';
  return g_asctime;
}

}  // namespace vt::time
