// Writing pictures that tests produce (window captures) as PNG files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vt::test {

// Writes a width x height picture of 8-bit RGB triples, row by row from
// the top, as a PNG file (uncompressed deflate blocks). False when the file
// cannot be written or the pixel count does not match.
bool write_png(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rgb);

}  // namespace vt::test
