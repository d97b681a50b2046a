// The time column: each cell is epoch seconds or a date and time in the
// notation the user fixes with --date (the same on every machine, whatever
// its locale), and is written back in that notation.
//
// Local times (all but ISO 8601 texts with an offset) are in the library's
// zone. Rows of a recording come in order, so reader and writer each keep
// what they last worked out (the start of a local hour, the text of an
// epoch minute) and do the zone arithmetic about once an hour or minute.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "veltra/timezone.h"

namespace vtcalc {

// The order of day, month and year and the separators of a date and time,
// or ISO 8601.
struct Notation {
  char order[3] = {'d', 'm', 'y'};  // 'd', 'm', 'y': day-month-year by default
  char date_sep = '.';
  char time_sep = ':';
  // "2024-05-17T06:30:00.250+02:00": written with the zone's offset, read
  // with or without an offset (see TimeCellReader).
  bool iso = false;
};

// Reads a pattern like "dd.mm.yyyy hh:mm:ss", "mm/dd/yyyy hh:mm" or
// "yyyy-mm-dd": day-month-year, month-day-year or year-month-day with one
// date separator, optionally a blank and hh, mm, ss with one time separator
// (":" when left out). "iso", "yyyy-mm-ddThh:mm:ss" and "yyyy-mm-ddThh:mm"
// mean ISO 8601. False for any other text.
bool parse_notation(const std::string& pattern, Notation& out);

// The pattern of a notation, for messages: "dd.mm.yyyy hh:mm:ss".
std::string notation_pattern(const Notation& n);

// Longest text TimeCellWriter writes, with its terminator.
constexpr int kTimeTextSize = 40;

struct TimeValue {
  vt_time_t t = 0;
  int ms = 0;
  bool fraction = false;  // the cell gave fractional seconds
};

enum class TimeRead {
  ok,
  empty,
  bad,                // not of the notation's form (or outside 1970-2099)
  no_such_date,       // 31.02.2024
  out_of_range,       // an ISO field past its range: month 13, hour 25, offset +19:00
  no_such_local_time  // skipped when daylight time starts
};

// Where an ISO text went wrong: the character (from 1; 0 for epoch seconds
// and the classic patterns, whose messages name the whole cell), what is
// wrong there (out_of_range: the field and its value, "month 13"; bad: what
// is expected) and the field's range.
struct TimeFault {
  std::size_t at = 0;
  std::string what;
  const char* range = "";
};

// Reads the time cells of one column.
//
// Digits with an optional fraction after the file's decimal mark are epoch
// seconds (rounded to the millisecond). Anything else must be a date and
// time in the notation, blanks around it allowed, nothing more:
//  - classic patterns: the date in the notation's order, a blank, hours and
//    minutes, optionally seconds and a fraction after "." or the decimal
//    mark. Day, month and year are checked against the calendar (31.02.2024
//    is no_such_date); the local time must lie in 1970-2099.
//  - ISO 8601: yyyy-mm-dd, "T" or a blank, hh:mm, optionally :ss and a
//    fraction after "." or ",", then optionally "Z" or an offset +hh:mm,
//    +hhmm (at most 18 hours; "-" west). "24:00:00" is the end of its day.
//    With an offset the text is that instant; without one it is local time,
//    and an hour skipped when daylight time starts is no_such_local_time.
//    A local time that occurs twice (the hour repeated when daylight time
//    ends) is taken as standard time, the second of the two, as the
//    library's mktime takes it.
class TimeCellReader {
 public:
  TimeCellReader(char decimal, const Notation& n) : decimal_(decimal), n_(n) {}

  TimeRead read(std::string_view cell, TimeValue& out, TimeFault& fault);

 private:
  TimeRead read_classic(const char* p, const char* end, TimeValue& out);
  TimeRead read_iso(const char* begin, const char* p, const char* end, TimeValue& out, TimeFault& fault);
  // The epoch time of the start of a local hour; `exists` false when the
  // hour is (partly) skipped by a change to daylight time.
  vt_time_t hour_start(int year, int month, int day, int hour, bool& exists);

  char decimal_;
  Notation n_;
  // The last local hour worked out: its fields and first second. Kept only
  // for an hour whose 3600 seconds all exist once (no change of daylight
  // time inside it).
  struct {
    int year = -1, month = 0, day = 0, hour = 0;
    vt_time_t start = VT_TIME_INVALID;
  } last_hour_;
};

// Writes times in the column's notation: local date and time to the second
// in the library's zone (with ".mmm" when asked), ISO 8601 with the zone's
// offset at that instant, so that reading it back gives the same instant.
class TimeCellWriter {
 public:
  explicit TimeCellWriter(const Notation& n) : n_(n) {}

  // Writes into `out` (kTimeTextSize bytes); false when the time cannot be
  // broken down.
  bool write(char* out, vt_time_t t, int ms, bool with_ms);

 private:
  Notation n_;
  // Zone offsets are whole minutes: within one minute of epoch time only
  // the seconds change, so the text before them (and the offset after
  // them) of the last minute written is kept.
  std::uint32_t minute_ = 0xFFFFFFFF;  // none yet
  char prefix_[kTimeTextSize] = "";
  int prefix_len_ = 0;
  char offset_[8] = "";
};

// Epoch time as a number: vt_time_t is read unsigned (up to 2099).
inline double epoch_seconds(vt_time_t t) { return static_cast<std::uint32_t>(t); }
// And back, for a number within 0 to 4102444799.
inline vt_time_t to_epoch(double seconds) {
  return static_cast<vt_time_t>(static_cast<std::uint32_t>(seconds < 0 ? 0 : seconds));
}

// A date and time in the notation, for messages.
std::string example_time_text(const Notation& n);

}  // namespace vtcalc
