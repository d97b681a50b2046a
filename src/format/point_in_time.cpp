// Points in time inside number fields, through the library's time strings.
#include "format/point_in_time.h"

#include <cstdint>

#include "format/format_word.h"
#include "port/char_class.h"
#include "veltra/timestr.h"

namespace vt::format {

namespace {
// The date/time field bits sit one place below TimeStr's flags (whose
// lowest bit is the milliseconds, which a number field never shows).
constexpr int kFieldsToTimeStrFlags = 1;
// ScanTimeStr's strictness: every field is range-checked.
constexpr int kStrictFields = 1;

}  // namespace

// Epoch times travel as 32-bit words read unsigned (up to 2099).
bool write_point_in_time(double value, int fields, char* out) {
  TimeStr(out, static_cast<vt_time_t>(static_cast<uint32_t>(value)), 0,
          static_cast<int16_t>(fields << kFieldsToTimeStrFlags));
  return out[0] != '\0';
}

double read_point_in_time(char* text, int fields, int* error) {
  if (fields & kFieldWeekday)  // "Fr 17.05.2024": the weekday is not read
    while (port::is_letter(*text)) ++text;
  vt_time_t t = ScanTimeStr(text, kStrictFields);
  *error = t == static_cast<vt_time_t>(-1);
  return *error ? -1.0 : static_cast<double>(static_cast<uint32_t>(t));
}

}  // namespace vt::format
