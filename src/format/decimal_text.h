// Decimal digits of a double, produced by the library itself so that every
// build writes the same text: correctly rounded from the exact binary value
// (ties to even), as a correctly rounded printf does.
#pragma once

#include <cstddef>

namespace vt::format {

// Exponent digits written at least, so that "E+003" always takes five
// characters.
constexpr int kMinExponentDigits = 3;

// "%.*f": value with decimals digits after the point (none and no point for
// 0). Writes at most size - 1 characters and a terminator; returns the length,
// or -1 (nothing usable written) when the text needs size characters or more.
int write_fixed(double value, int decimals, char* out, std::size_t size);

// "%.*E" with at least three exponent digits: "1.50E+003", "-2E-010".
// Same contract as write_fixed.
int write_exponent(double value, int decimals, char* out, std::size_t size);

// What read_decimal found.
enum class DecimalRead { kNone, kValue };

// Reads a decimal number at the start of text after white space (blank and
// 9 to 13), as the standard conversion does: optional sign, digits with an
// optional point, optional exponent ("1.5e-3", "-.5", "+2."). Stops at the
// first character that does not belong to it. Writes the value and the end
// of the number only for kValue. A number beyond the range of a double reads
// as the infinity or the zero it tends to ("1e400", "-1e-400"), as strtod
// gives it.
DecimalRead read_decimal(const char* text, double* value, const char** end);

}  // namespace vt::format
