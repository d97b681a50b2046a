// Cells of the signal columns: numbers with the file's decimal mark, and the
// words of Boolean signals.
#pragma once

#include <string_view>

namespace vtcalc {

// A number with `decimal` ('.' or ',') as its only decimal mark, blanks
// around it allowed; "1.234" in a file with decimal commas is no number
// (it would be read a thousand times too small or large). An empty cell is
// NaN, a missing measurement. False when the cell is no such number.
bool parse_number(std::string_view cell, char decimal, float& out);

// 0/1, ein/aus, true/false, on/off, high/low in any case; the value is the
// engine's Boolean cell (0 or 1 in the low 16 bits).
bool parse_bool(std::string_view cell, float& out);

}  // namespace vtcalc
