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

using Table = std::array<uint32_t, 256>;

constexpr Table make_crc32_table() {
  Table t{};
  for (uint32_t i = 0; i < 256; ++i) {
    uint32_t v = i;
    for (int bit = 0; bit < 8; ++bit)
      v = (v & 1) ? shift_right_signed(v, 1) ^ kCrc32Poly : shift_right_signed(v, 1);
    t[i] = v;
  }
  return t;
}

// Built by the compiler: every call shares the constant tables.
constexpr Table kCrc32Table = make_crc32_table();
static_assert(kCrc32Table[1] == 0x09073096 && kCrc32Table[4] == 0xFF6DC419,
              "sign-copying shifts give these entries");

constexpr uint32_t byte_step(uint32_t crc, uint8_t byte) {
  return kCrc32Table[(crc ^ byte) & 0xFF] ^ shift_right_signed(crc, 8);
}

// Four bytes at a time, still one table lookup a byte ("slicing by four").
// The CRC is linear over GF(2), so four byte steps over the register c and
// the data word w (first byte lowest) split into
//   four zero-byte steps over c ^ w    (tables kSlice[k], one per byte of it)
//   ^ a correction K when w's top bit is set.
// The correction exists because of the sign-copying shift: a data byte
// XORed into the register's low byte is never sign-extended, but the same
// bits placed in the register's top byte are, and only bit 31 can spread.
// The tests check this against the byte-serial definition.
constexpr uint32_t zero_steps(uint32_t crc) {
  for (int k = 0; k < 4; ++k) crc = byte_step(crc, 0);
  return crc;
}

constexpr std::array<Table, 4> make_slices() {
  std::array<Table, 4> s{};
  for (int k = 0; k < 4; ++k)
    for (uint32_t v = 0; v < 256; ++v) s[k][v] = zero_steps(v << (8 * k));
  return s;
}

constexpr std::array<Table, 4> kSlice = make_slices();
// Data 00 00 00 80 through the byte steps (from a zero register only the
// last step moves), against the same bits taken as register contents.
constexpr uint32_t kTopBitCorrection = kCrc32Table[0x80] ^ zero_steps(kSignBit);

}  // namespace

uint32_t crc32_update(const unsigned char* data, size_t count, uint32_t crc) {
  size_t i = 0;
  for (; i + 4 <= count; i += 4) {
    uint32_t w = uint32_t(data[i]) | uint32_t(data[i + 1]) << 8 |
                 uint32_t(data[i + 2]) << 16 | uint32_t(data[i + 3]) << 24;
    uint32_t x = crc ^ w;
    crc = kSlice[0][x & 0xFF] ^ kSlice[1][x >> 8 & 0xFF] ^ kSlice[2][x >> 16 & 0xFF] ^
          kSlice[3][x >> 24] ^ ((w & kSignBit) ? kTopBitCorrection : 0);
  }
  for (; i < count; ++i) crc = byte_step(crc, data[i]);
  return crc;
}

}  // namespace vt::codec

int32_t CRC32(const void* data, int count, int32_t crc) {
  if (!data || count <= 0) return crc;
  return static_cast<int32_t>(vt::codec::crc32_update(
      static_cast<const unsigned char*>(data), static_cast<size_t>(count),
      static_cast<uint32_t>(crc)));
}
