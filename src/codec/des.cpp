// DES with lookup tables derived from the published ones at compile time:
//  - the initial and final permutations as eight byte-indexed tables each,
//    so a permutation is eight lookups instead of 64 bit moves;
//  - each S-box merged with the permutation P that follows it (SP tables),
//    so a round is eight lookups and ORs.
// The expansion E needs no table: S-box i reads bits 4i..4i+5 of the right
// half (bit 0 standing for bit 32), a window that a rotation brings down. The
// even windows all come out of the half rotated right by 3, the odd ones out
// of it rotated left by 1, one window a byte; the key schedule stores each
// round key in that same byte layout.
#include "codec/des.h"

#include <array>

#include "codec/des_tables.h"

namespace vt::codec {

namespace {

using namespace des_tables;

// Permutes the low in_bits bits of x: output bit k (from 1 at the top of
// out_bits) is input bit table[k - 1] (from 1 at the top of in_bits).
constexpr uint64_t permute(uint64_t x, const uint8_t* table, int in_bits, int out_bits) {
  uint64_t r = 0;
  for (int k = 0; k < out_bits; ++k)
    r = r << 1 | ((x >> (in_bits - table[k])) & 1);
  return r;
}

using ByteTables = std::array<std::array<uint64_t, 256>, 8>;

// For a 64-bit permutation: [byte position][byte value] -> the output bits
// that byte contributes (byte position 0 is the most significant byte).
constexpr ByteTables make_byte_tables(const uint8_t* table) {
  ByteTables t{};
  for (int pos = 0; pos < 8; ++pos)
    for (int v = 0; v < 256; ++v)
      t[pos][v] = permute(uint64_t(v) << (56 - 8 * pos), table, 64, 64);
  return t;
}

constexpr std::array<uint8_t, 64> inverse_of(const uint8_t* table) {
  std::array<uint8_t, 64> inv{};
  for (int k = 0; k < 64; ++k) inv[table[k] - 1] = static_cast<uint8_t>(k + 1);
  return inv;
}

constexpr std::array<uint8_t, 64> kFp = inverse_of(kIp);
constexpr ByteTables kIpTables = make_byte_tables(kIp);
constexpr ByteTables kFpTables = make_byte_tables(kFp.data());

using SpTables = std::array<std::array<uint32_t, 64>, 8>;

constexpr SpTables make_sp_tables() {
  SpTables t{};
  for (int box = 0; box < 8; ++box)
    for (int v = 0; v < 64; ++v) {
      int row = (v >> 4 & 2) | (v & 1);
      int column = v >> 1 & 0xF;
      uint64_t s_out = uint64_t(kS[box][row * 16 + column]) << (28 - 4 * box);
      t[box][v] = static_cast<uint32_t>(permute(s_out, kP, 32, 32));
    }
  return t;
}

constexpr SpTables kSp = make_sp_tables();

constexpr bool sbox_rows_are_permutations() {
  for (const auto& box : kS)
    for (int row = 0; row < 4; ++row) {
      unsigned seen = 0;
      for (int c = 0; c < 16; ++c) seen |= 1u << box[row * 16 + c];
      if (seen != 0xFFFF) return false;
    }
  return true;
}
static_assert(sbox_rows_are_permutations(), "each S-box row holds 0..15 once");

constexpr uint32_t rotr(uint32_t x, int n) { return x >> n | x << (32 - n); }

inline uint64_t apply_byte_tables(const ByteTables& t, uint64_t x) {
  return t[0][x >> 56] | t[1][x >> 48 & 0xFF] | t[2][x >> 40 & 0xFF] |
         t[3][x >> 32 & 0xFF] | t[4][x >> 24 & 0xFF] | t[5][x >> 16 & 0xFF] |
         t[6][x >> 8 & 0xFF] | t[7][x & 0xFF];
}

inline uint32_t feistel(uint32_t r, uint32_t key_even, uint32_t key_odd) {
  uint32_t e = rotr(r, 3) ^ key_even;
  uint32_t o = rotr(r, 31) ^ key_odd;
  return kSp[0][e >> 24 & 0x3F] | kSp[2][e >> 16 & 0x3F] | kSp[4][e >> 8 & 0x3F] |
         kSp[6][e & 0x3F] | kSp[1][o >> 24 & 0x3F] | kSp[3][o >> 16 & 0x3F] |
         kSp[5][o >> 8 & 0x3F] | kSp[7][o & 0x3F];
}

inline uint64_t load_be64(const unsigned char* p) {
  uint64_t x = 0;
  for (size_t i = 0; i < 8; ++i) x = x << 8 | p[i];
  return x;
}

inline void store_be64(unsigned char* p, uint64_t x) {
  for (size_t i = 0; i < 8; ++i) p[i] = static_cast<unsigned char>(x >> (56 - 8 * i));
}

// Deciphering is enciphering with the round keys in reverse order.
template <bool kDecipher>
void crypt_blocks(const DesKeySchedule& ks, unsigned char* dst, const unsigned char* src,
                  size_t blocks) {
  for (size_t b = 0; b < blocks; ++b) {
    uint64_t x = apply_byte_tables(kIpTables, load_be64(src + b * kDesBlockBytes));
    uint32_t left = static_cast<uint32_t>(x >> 32);
    uint32_t right = static_cast<uint32_t>(x);
    for (int i = 0; i < kDesRounds; i += 2) {  // two rounds: no swap of halves
      int k1 = kDecipher ? kDesRounds - 1 - i : i;
      int k2 = kDecipher ? k1 - 1 : k1 + 1;
      left ^= feistel(right, ks.even[k1], ks.odd[k1]);
      right ^= feistel(left, ks.even[k2], ks.odd[k2]);
    }
    // The last round does not swap the halves.
    uint64_t pre = uint64_t(right) << 32 | left;
    store_be64(dst + b * kDesBlockBytes, apply_byte_tables(kFpTables, pre));
  }
}

constexpr uint32_t rotl28(uint32_t x, int n) {
  return (x << n | x >> (28 - n)) & 0x0FFFFFFF;
}

}  // namespace

DesKeySchedule des_key_schedule(const unsigned char* key) {
  DesKeySchedule ks{};
  uint64_t cd = permute(load_be64(key), kPc1, 64, 56);
  uint32_t c = static_cast<uint32_t>(cd >> 28);
  uint32_t d = static_cast<uint32_t>(cd & 0x0FFFFFFF);
  for (int round = 0; round < kDesRounds; ++round) {
    c = rotl28(c, kKeyShifts[round]);
    d = rotl28(d, kKeyShifts[round]);
    uint64_t k = permute(uint64_t(c) << 28 | d, kPc2, 56, 48);
    uint32_t group[8];
    for (int g = 0; g < 8; ++g) group[g] = static_cast<uint32_t>(k >> (42 - 6 * g) & 0x3F);
    ks.even[round] = group[0] << 24 | group[2] << 16 | group[4] << 8 | group[6];
    ks.odd[round] = group[1] << 24 | group[3] << 16 | group[5] << 8 | group[7];
  }
  return ks;
}

void des_encipher_blocks(const DesKeySchedule& ks, unsigned char* dst,
                         const unsigned char* src, size_t blocks) {
  crypt_blocks<false>(ks, dst, src, blocks);
}

void des_decipher_blocks(const DesKeySchedule& ks, unsigned char* dst,
                         const unsigned char* src, size_t blocks) {
  crypt_blocks<true>(ks, dst, src, blocks);
}

}  // namespace vt::codec
