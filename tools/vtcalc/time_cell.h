// The time column: each cell is epoch seconds or a date and time in the
// user's notation, and is written back in the user's notation.
#pragma once

#include <string>

#include "veltra/timestr.h"

namespace vtcalc {

constexpr int kTimeCellSize = VT_TIMESTR_SIZE;

// Reads a time cell (blanks around it allowed) and writes it into `out`
// (kTimeCellSize bytes) as date and time to the second, with milliseconds
// when the cell gave a fraction. Digits with an optional fraction after "."
// (or "," with a decimal comma) are epoch seconds; anything else is read as
// the library's time text, which needs a date and hours with minutes. An
// empty cell gives an empty text. False for anything else and for a time
// outside 1970-2099.
bool time_cell_text(const std::string& cell, bool decimal_comma, char* out);

// A date and time in the user's notation, for messages.
std::string example_time_text();

}  // namespace vtcalc
