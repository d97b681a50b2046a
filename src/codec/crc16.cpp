// CRC-16/MODBUS. Bit by bit on purpose: callers check short telegrams, and
// the loop is the definition itself.
#include "codec/crc.h"

#include "veltra/codec.h"

namespace vt::codec {

namespace {
constexpr uint16_t kCrc16Poly = 0xA001;  // 0x8005 reflected
constexpr uint16_t kCrc16Start = 0xFFFF;
}  // namespace

uint16_t crc16(const unsigned char* data, size_t count) {
  uint16_t crc = kCrc16Start;
  for (size_t i = 0; i < count; ++i) {
    crc ^= data[i];
    for (int bit = 0; bit < 8; ++bit)
      crc = (crc & 1) ? static_cast<uint16_t>((crc >> 1) ^ kCrc16Poly)
                      : static_cast<uint16_t>(crc >> 1);
  }
  return crc;
}

}  // namespace vt::codec

int16_t CRC16(const void* data, int count) {
  if (!data || count <= 0) return -1;  // the start value 0xFFFF
  return static_cast<int16_t>(vt::codec::crc16(
      static_cast<const unsigned char*>(data), static_cast<size_t>(count)));
}
