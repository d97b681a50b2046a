// Test oracle for the decimal forms of FormatFloat and the value sample
// both the oracle test and the golden file use.
#pragma once

#include <cstdint>
#include <random>
#include <string>

namespace vt_test {

// Values that stress decimal rounding: random bit patterns (huge, tiny,
// subnormal), exact ties n / 2^k, integers near powers of ten, signed zeros.
// Draws only raw 64-bit numbers, so the sample is the same in every build.
double sample_value(std::mt19937_64& rng);

// The text of a decimal form built from glibc's printf: its "%.*f" and
// "%.*E" digits, the exponent widened to three digits, the field rules on
// top. Native builds only (the Windows C runtime is not an oracle).
std::string oracle_text(int format, int decimals, double value);

}  // namespace vt_test
