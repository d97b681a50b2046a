#include "math/exact.h"

#include <cstdint>
#include <cstring>
#include <limits>

namespace vt::math {
namespace {

std::uint32_t bits(float f) {
  std::uint32_t b;
  std::memcpy(&b, &f, 4);
  return b;
}
float from_bits(std::uint32_t b) {
  float f;
  std::memcpy(&f, &b, 4);
  return f;
}

constexpr std::uint32_t kImplicit = 0x800000u;  // the significand's leading bit

// A finite nonzero magnitude as m * 2^(e - 150) with m's leading bit at
// kImplicit (subnormals shifted up, their e below 1).
void unpack(std::uint32_t magnitude, std::uint32_t* m, int* e) {
  *e = static_cast<int>(magnitude >> 23);
  *m = magnitude & (kImplicit - 1);
  if (*e == 0) {
    *e = 1;
    while (!(*m & kImplicit)) *m <<= 1, --*e;
  } else {
    *m |= kImplicit;
  }
}

}  // namespace

float exact_fmod(float x, float y) {
  const std::uint32_t ax = bits(x) & 0x7FFFFFFFu, ay = bits(y) & 0x7FFFFFFFu;
  const std::uint32_t sign = bits(x) & 0x80000000u;
  if (ax >= 0x7F800000u || ay > 0x7F800000u || ay == 0) return std::numeric_limits<float>::quiet_NaN();
  if (ax < ay) return x;
  std::uint32_t mx, my;
  int ex, ey;
  unpack(ax, &mx, &ex);
  unpack(ay, &my, &ey);
  // Long division one bit at a time, keeping only the remainder: it stays
  // below 2 * my < 2^25, and every step is exact.
  for (; ex > ey; --ex) {
    if (mx >= my) mx -= my;
    mx <<= 1;
  }
  if (mx >= my) mx -= my;
  if (mx == 0) return from_bits(sign);
  while (mx < kImplicit) mx <<= 1, --ex;
  if (ex > 0) return from_bits(sign | static_cast<std::uint32_t>(ex) << 23 | (mx & (kImplicit - 1)));
  // A subnormal result: a multiple of y's last place, so no bit shifted out
  // is set.
  return from_bits(sign | mx >> (1 - ex));
}

}  // namespace vt::math
