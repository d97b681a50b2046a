// Result values as text: six significant digits by default, or under a
// format mask of the library's number formatting; the decimal mark is the
// file's.
#pragma once

#include <cstdint>
#include <string>

namespace vtcalc {

struct ResultFormat {
  bool given = false;
  std::int16_t format = 0, decimals = 0;
};

// Reads a mask of the forms the tool offers (decimal, leading zeros,
// exponent, binary, hexadecimal, duration); false for anything else.
bool parse_mask(const char* text, ResultFormat& out);

// Longest text a result is written as, with its terminator.
constexpr int kResultTextSize = 80;

// Writes v into `out` (kResultTextSize bytes) and returns its length. NaN is
// "#NAN", infinities "#INF" and "#NINF". A value too wide for its mask is
// written as the mask's overflow text, the mask's own characters in "#"
// ("####.##"), never in another form.
std::size_t result_text(char* out, float v, const ResultFormat& f, char decimal);

}  // namespace vtcalc
