// The DES block cipher (64-bit blocks, 56 effective key bits), electronic
// codebook: each block on its own.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vt::codec {

constexpr size_t kDesBlockBytes = 8;
constexpr size_t kDesKeyBytes = 8;
constexpr int kDesRounds = 16;

// Round keys, each 48-bit key split into the eight 6-bit groups that meet
// the S-boxes: even-numbered groups in `even`, odd ones in `odd`, one group a
// byte, first group in the top byte. That layout lets a round take its eight
// S-box inputs from two rotations of the right half.
struct DesKeySchedule {
  uint32_t even[kDesRounds];
  uint32_t odd[kDesRounds];
};

// Builds the round keys from 8 key bytes, the first byte the most
// significant; the parity bits (lowest bit of each byte) are ignored.
DesKeySchedule des_key_schedule(const unsigned char* key);

// Enciphers or deciphers count / 8 whole blocks from src to dst (which may be
// the same buffer, block for block).
void des_encipher_blocks(const DesKeySchedule& ks, unsigned char* dst,
                         const unsigned char* src, size_t blocks);
void des_decipher_blocks(const DesKeySchedule& ks, unsigned char* dst,
                         const unsigned char* src, size_t blocks);

}  // namespace vt::codec
