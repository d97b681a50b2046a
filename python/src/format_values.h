// Values as text under a format mask of the library's number formatting, as
// the formula tool writes its results.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace veltra_py {

// Reads `mask` ("####.##", "0###", "E#.###", "xxxx", "bbbb",
// "hh:mm:ss.sss"); false when it is none of these forms. An empty mask
// means six significant digits.
bool valid_mask(const std::string& mask);

// The texts of `count` values. A value too wide for its mask is the mask in
// "#"; NaN "#NAN", infinities "#INF" and "#NINF". The mask must be valid.
std::vector<std::string> format_values(const float* values, std::size_t count, const std::string& mask);

}  // namespace veltra_py
