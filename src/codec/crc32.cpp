// The library's 32-bit CRC. It uses the polynomial of the common CRC-32 but
// was defined on signed 32-bit values, so every right shift copies the sign
// bit into the vacated top bits. Stored checksums depend on that, so the
// shifts are kept: the result differs from the standard CRC-32 in all but two
// table entries. The arithmetic shift is spelled out on unsigned values so
// that it does not depend on the compiler's treatment of negative numbers.
#include "codec/crc.h"

#include <array>

#include "veltra/codec.h"

namespace vt::codec {

namespace {

constexpr uint32_t kCrc32Poly = 0xEDB88320;
constexpr uint32_t kSignBit = 0x80000000;

// Right shift by n (1..31) that copies the sign bit, as on int32_t.
constexpr uint32_t shift_right_signed(uint32_t v, int n) {
  uint32_t fill = (v & kSignBit) ? ~(~uint32_t{0} >> n) : 0;
  return (v >> n) | fill;
}

constexpr std::array<uint32_t, 256> make_crc32_table() {
  std::array<uint32_t, 256> t{};
  for (uint32_t i = 0; i < 256; ++i) {
    uint32_t v = i;
    for (int bit = 0; bit < 8; ++bit)
      v = (v & 1) ? shift_right_signed(v, 1) ^ kCrc32Poly : shift_right_signed(v, 1);
    t[i] = v;
  }
  return t;
}

// Built by the compiler: every call shares one constant table.
constexpr std::array<uint32_t, 256> kCrc32Table = make_crc32_table();
static_assert(kCrc32Table[1] == 0x09073096 && kCrc32Table[4] == 0xFF6DC419,
              "sign-copying shifts give these entries");

}  // namespace

uint32_t crc32_update(const unsigned char* data, size_t count, uint32_t crc) {
  for (size_t i = 0; i < count; ++i)
    crc = kCrc32Table[(crc ^ data[i]) & 0xFF] ^ shift_right_signed(crc, 8);
  return crc;
}

}  // namespace vt::codec

int32_t CRC32(const void* data, int count, int32_t crc) {
  if (!data || count <= 0) return crc;
  return static_cast<int32_t>(vt::codec::crc32_update(
      static_cast<const unsigned char*>(data), static_cast<size_t>(count),
      static_cast<uint32_t>(crc)));
}
