// CRC16 and CRC32 against published check values and against bit-serial
// references written differently from the library's code.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "veltra/codec.h"

namespace {

// CRC-16/MODBUS the other way round: the unreflected polynomial 0x8005
// shifted left over bit-reversed bytes, the register reversed at the end.
uint16_t crc16_msb_first(const std::vector<uint8_t>& data) {
  uint32_t crc = 0xFFFF;
  for (uint8_t byte : data) {
    for (int i = 0; i < 8; ++i) crc ^= ((byte >> i) & 1u) << (15 - i);
    for (int i = 0; i < 8; ++i) crc = (crc & 0x8000) ? (crc << 1 ^ 0x8005) & 0xFFFF : crc << 1;
  }
  uint16_t r = 0;
  for (int i = 0; i < 16; ++i) r = static_cast<uint16_t>(r << 1 | ((crc >> i) & 1));
  return r;
}

// The 32-bit CRC one bit at a time on int32_t, whose >> copies the sign bit.
int32_t crc32_bitwise(const uint8_t* data, size_t n, int32_t crc) {
  for (size_t i = 0; i < n; ++i) {
    crc ^= data[i];
    for (int b = 0; b < 8; ++b) crc = (crc & 1) ? (crc >> 1) ^ int32_t(0xEDB88320u) : crc >> 1;
  }
  return crc;
}

TEST(Crc, PublishedAndGivenValues) {
  EXPECT_EQ(uint16_t(CRC16("123456789", 9)), 0x4B37);
  EXPECT_EQ(uint16_t(CRC16("abc", 3)), 0x5749);
  EXPECT_EQ(CRC16("abc", 0), -1);
  EXPECT_EQ(CRC16("abc", -4), -1);
  EXPECT_EQ(CRC16(nullptr, 5), -1);
  EXPECT_EQ(uint32_t(CRC32("123456789", 9, -1)), 0x0D8C86E4u);
  EXPECT_EQ(CRC32("x", 0, 0), 0);
  EXPECT_EQ(CRC32(nullptr, 9, 1234), 1234);
  EXPECT_EQ(CRC32("x", -1, 77), 77);
  // From a zero register one byte b gives table entry b.
  EXPECT_EQ(uint32_t(CRC32("\x01", 1, 0)), 0x09073096u);
  EXPECT_EQ(uint32_t(CRC32("\x04", 1, 0)), 0xFF6DC419u);
}

TEST(Crc, RandomBlocksAgreeWithBitSerialReferences) {
  std::mt19937 rng(8);
  for (int round = 0; round < 300; ++round) {
    std::vector<uint8_t> block(rng() % 700);
    for (auto& b : block) b = uint8_t(rng());
    int n = int(block.size());
    EXPECT_EQ(uint16_t(CRC16(block.data(), n)), crc16_msb_first(block));
    int32_t start = int32_t(rng());
    int32_t whole = CRC32(block.data(), n, start);
    EXPECT_EQ(whole, crc32_bitwise(block.data(), block.size(), start));
    int split = int(rng() % (n + 1));  // piecewise equals whole
    EXPECT_EQ(CRC32(block.data() + split, n - split, CRC32(block.data(), split, start)), whole);
  }
}

}  // namespace
