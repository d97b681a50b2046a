// Cyclic redundancy checks over byte blocks.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vt::codec {

// CRC-16/MODBUS, computed bit by bit.
uint16_t crc16(const unsigned char* data, size_t count);

// The library's 32-bit CRC: reflected polynomial 0xEDB88320 with arithmetic
// (sign-copying) right shifts, continuing from the running value crc.
uint32_t crc32_update(const unsigned char* data, size_t count, uint32_t crc);

}  // namespace vt::codec
