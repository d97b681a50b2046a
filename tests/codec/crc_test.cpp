// CRC16 and CRC32 against published check values and against bit-serial
// references written differently from the library's code.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "veltra/codec.h"

namespace {

uint8_t reverse_bits8(uint8_t b) {
  uint8_t r = 0;
  for (int i = 0; i < 8; ++i) r = static_cast<uint8_t>(r << 1 | ((b >> i) & 1));
  return r;
}

// CRC-16/MODBUS the other way round: the unreflected polynomial 0x8005
// shifted left over bit-reversed bytes, the register reversed at the end.
uint16_t crc16_msb_first(const std::vector<uint8_t>& data) {
  uint16_t crc = 0xFFFF;  // all ones reads the same both ways
  for (uint8_t byte : data) {
    crc ^= static_cast<uint16_t>(reverse_bits8(byte) << 8);
    for (int i = 0; i < 8; ++i)
      crc = (crc & 0x8000) ? static_cast<uint16_t>(crc << 1 ^ 0x8005)
                           : static_cast<uint16_t>(crc << 1);
  }
  uint16_t r = 0;
  for (int i = 0; i < 16; ++i) r = static_cast<uint16_t>(r << 1 | ((crc >> i) & 1));
  return r;
}

// The 32-bit CRC one bit at a time on int32_t, whose >> copies the sign bit.
int32_t crc32_bitwise(const uint8_t* data, size_t n, int32_t crc) {
  for (size_t i = 0; i < n; ++i) {
    crc ^= data[i];
    for (int b = 0; b < 8; ++b) {
      bool low = crc & 1;
      crc >>= 1;
      if (low) crc ^= static_cast<int32_t>(0xEDB88320u);
    }
  }
  return crc;
}

std::vector<uint8_t> random_block(std::mt19937& rng, size_t n) {
  std::vector<uint8_t> v(n);
  for (auto& b : v) b = static_cast<uint8_t>(rng());
  return v;
}

TEST(Crc, PublishedAndGivenValues) {
  struct Case {
    const char* text;
    int count;
    uint16_t crc16;
  } cases[] = {
      {"123456789", 9, 0x4B37}, {"abc", 3, 0x5749}, {"", 0, 0xFFFF}, {"abc", -4, 0xFFFF}};
  for (const auto& c : cases)
    EXPECT_EQ(static_cast<uint16_t>(CRC16(c.text, c.count)), c.crc16) << c.text;
  EXPECT_EQ(CRC16(nullptr, 5), -1);

  EXPECT_EQ(static_cast<uint32_t>(CRC32("123456789", 9, -1)), 0x0D8C86E4u);
  EXPECT_EQ(~static_cast<uint32_t>(CRC32("123456789", 9, -1)), 0xF273791Bu);
  EXPECT_EQ(CRC32("x", 0, 0), 0);
  EXPECT_EQ(CRC32(nullptr, 9, 1234), 1234);
  EXPECT_EQ(CRC32("x", -1, 77), 77);
  // From a zero register one byte b gives table entry b.
  EXPECT_EQ(static_cast<uint32_t>(CRC32("\x01", 1, 0)), 0x09073096u);
  EXPECT_EQ(static_cast<uint32_t>(CRC32("\x04", 1, 0)), 0xFF6DC419u);
}

TEST(Crc, RandomBlocksAgreeWithBitSerialReferences) {
  std::mt19937 rng(8);
  for (int round = 0; round < 300; ++round) {
    auto block = random_block(rng, rng() % 700);
    int n = static_cast<int>(block.size());
    EXPECT_EQ(static_cast<uint16_t>(CRC16(block.data(), n)), crc16_msb_first(block));

    int32_t start = static_cast<int32_t>(rng());
    int32_t whole = CRC32(block.data(), n, start);
    EXPECT_EQ(whole, crc32_bitwise(block.data(), block.size(), start));
    int split = n ? static_cast<int>(rng() % (n + 1)) : 0;
    int32_t first = CRC32(block.data(), split, start);
    EXPECT_EQ(CRC32(block.data() + split, n - split, first), whole) << "split " << split;
  }
}

}  // namespace
