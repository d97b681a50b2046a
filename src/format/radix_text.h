// Binary and hexadecimal integers as text and back.
#pragma once

namespace vt::format {

// Values outside this range have no 32-bit binary or hexadecimal text.
constexpr double kRadixMin = -2147483648.0;
constexpr double kRadixMax = 4294967295.0;
// Longest text: 32 binary digits, and the terminator.
constexpr int kRadixTextSize = 33;

// Writes the low 32 bits of value truncated toward zero, in upper-case
// hexadecimal or in binary, without leading zeros (a negative value shows
// its two's complement). value must lie in [kRadixMin, kRadixMax]. out holds
// kRadixTextSize bytes. Returns the length.
int write_radix(double value, bool hex, char* out);

// Reads an optional "-" and at most 32 binary or 8 hexadecimal digits
// (lower case) from text. *error is 0 when at least one digit was read and
// the character that stopped the reading is not a digit or letter (so a
// ninth hexadecimal digit is an error, a blank or punctuation ends the number
// quietly), else 1. Returns the number read as unsigned 32-bit with its sign.
double read_radix(const char* text, bool hex, int* error);

}  // namespace vt::format
