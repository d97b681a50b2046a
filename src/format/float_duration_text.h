// The duration form of FormatFloat and ScanFloat (format word 0x200):
// "[-][Nd ]hh:mm:ss[.fff]" with a count of decimals, and back.
#pragma once

namespace vt::format {

// Durations beyond this many seconds either way have no text.
constexpr double kMaxDurationSeconds = 2147483647.0;

// Writes seconds as a duration with decimals digits of fractional seconds.
// out holds at least decimals + 18 bytes. value must lie within
// +-kMaxDurationSeconds. Returns the length.
int write_duration(double seconds, int decimals, char* out);

// Reads "[+-][days d][h:]m:s" (up to three fields separated by ":", the
// last being seconds); the digits after the text's first "." (or else its
// first ",") add a fraction of a second. Sets *error to 1 when a field does
// not begin with a digit and no days were given.
double read_duration(const char* text, int* error);

}  // namespace vt::format
