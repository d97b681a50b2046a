// Points in time inside number fields: the date/time selection of the
// format word, shown and read through the library's time strings.
#pragma once

namespace vt::format {

// The last second a point in time can show: 2099-12-31 23:59:59 UTC.
constexpr double kLastEpochSecond = 4102444799.0;

// Writes the epoch time value (whole seconds) with the fields of the
// date/time selection into out (at least 80 bytes). False when the value has
// no text.
bool write_point_in_time(double value, int fields, char* out);

// Reads a point in time; -1.0 and *error = 1 when the text holds none.
double read_point_in_time(char* text, int fields, int* error);

}  // namespace vt::format
