// The time column: each cell is epoch seconds or a date and time in the
// notation the user fixes with --date (the same on every machine, whatever
// its locale), and is written back in that notation.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "veltra/timezone.h"

namespace vtcalc {

// The order of day, month and year and the separators of a date and time.
struct Notation {
  char order[3] = {'d', 'm', 'y'};  // 'd', 'm', 'y': day-month-year by default
  char date_sep = '.';
  char time_sep = ':';
};

// Reads a pattern like "dd.mm.yyyy hh:mm:ss", "mm/dd/yyyy hh:mm" or
// "yyyy-mm-dd": day-month-year, month-day-year or year-month-day with one
// date separator, optionally a blank and hh, mm, ss with one time separator
// (":" when left out). False for any other text.
bool parse_notation(const std::string& pattern, Notation& out);

// The pattern of a notation, for messages: "dd.mm.yyyy hh:mm:ss".
std::string notation_pattern(const Notation& n);

// Longest text write_time writes, with its terminator.
constexpr int kTimeTextSize = 32;

struct TimeValue {
  vt_time_t t = 0;
  int ms = 0;
  bool fraction = false;  // the cell gave fractional seconds
};

enum class TimeRead { ok, empty, bad, no_such_date };

// Reads a time cell (blanks around it allowed): digits with an optional
// fraction after `decimal` are epoch seconds (rounded to the millisecond);
// anything else must be a date in the notation's order, a blank, hours and
// minutes, optionally seconds and a fraction after "." or `decimal`, and
// nothing more. Day, month and year are checked against the calendar
// (31.02.2024 is no_such_date); the local time must lie in 1970-2099.
TimeRead read_time_cell(std::string_view cell, char decimal, const Notation& n, TimeValue& out);

// Writes t as local date and time to the second in the notation (with
// ".mmm" when `with_ms`) into `out` (kTimeTextSize bytes); false when the
// time cannot be broken down.
bool write_time(char* out, vt_time_t t, int ms, bool with_ms, const Notation& n);

// Epoch time as a number: vt_time_t is read unsigned (up to 2099).
inline double epoch_seconds(vt_time_t t) { return static_cast<std::uint32_t>(t); }
// And back, for a number within 0 to 4102444799.
inline vt_time_t to_epoch(double seconds) {
  return static_cast<vt_time_t>(static_cast<std::uint32_t>(seconds < 0 ? 0 : seconds));
}

// A date and time in the notation, for messages.
std::string example_time_text(const Notation& n);

}  // namespace vtcalc
