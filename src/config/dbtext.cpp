// Text packed into arrays of doubles, for stores that hold nothing but
// numbers. Six bytes go into a double because six bytes make an integer
// below 2^48, which a double holds exactly. The first byte is the lowest, and
// the packed text always carries its zero byte, so the reader can stop there.
#include <cmath>
#include <cstdint>
#include <cstring>

#include "port/fp_state.h"
#include "port/memory.h"
#include "veltra/dbtext.h"

namespace vt::config {

namespace {

constexpr int kMaxChars = VELTRA_DBTEXT_MAX;
constexpr int kBytesPerDouble = 6;
constexpr char kErrorText[] = "#ERROR";
// Doubles at or beyond this magnitude (and NaN, infinities) have no 64-bit
// integer value: the conversion that reads them would fault.
constexpr double kIntegerRange = 9223372036854775808.0;  // 2^63

}  // namespace

int32_t set_db_text(double* numbers, int32_t limit, const char* text) {
  if (!numbers) return 0;
  if (!text) text = "";
  if (limit > kMaxChars) limit = kMaxChars;
  int32_t doubles = (limit + kBytesPerDouble) / kBytesPerDouble;  // toward zero
  int32_t remaining = limit;
  int32_t written = 0;
  bool ended = false;
  while (written < doubles && !ended) {
    uint64_t value = 0;
    for (int place = 0; place < kBytesPerDouble; ++place) {
      unsigned char c = remaining-- > 0 ? static_cast<unsigned char>(*text) : 0;
      value |= uint64_t(c) << (8 * place);
      if (c == 0)
        ended = true;  // the zero byte repeats through the rest of the double
      else
        ++text;
    }
    if (!vt::port::memory_writable(numbers + written, sizeof(double))) return 0;
    numbers[written++] = static_cast<double>(value);
  }
  return written;
}

int32_t get_db_text(char* buffer, int32_t size, const double* numbers, int32_t limit) {
  if (!buffer || size < 1 || !numbers) return 0;
  int32_t n = limit > kMaxChars ? kMaxChars : limit;
  if (size < n + 1) n = size - 1;
  int32_t placed = 0;
  for (const double* d = numbers; n > 0; ++d) {
    if (!vt::port::memory_readable(d, sizeof(double)) || !(std::fabs(*d) < kIntegerRange)) {
      int32_t len = static_cast<int32_t>(sizeof kErrorText) - 1;
      if (len > size - 1) len = size - 1;
      std::memcpy(buffer, kErrorText, len);
      buffer[len] = '\0';
      return len;
    }
    auto value = static_cast<uint64_t>(static_cast<int64_t>(*d));  // toward zero
    for (int place = 0; place < kBytesPerDouble && n > 0; ++place) {
      auto c = static_cast<char>(value >> (8 * place) & 0xFF);
      buffer[placed++] = c;
      if (c == 0) {
        n = 0;
      } else {
        --n;
      }
    }
  }
  buffer[placed] = '\0';
  return placed;
}

}  // namespace vt::config

int32_t SetDBText(double* numbers, int32_t limit, const char* text) {
  vt::port::FpGuard fp;
  return vt::config::set_db_text(numbers, limit, text);
}

int32_t GetDBText(char* buffer, int32_t size, const double* numbers, int32_t limit) {
  vt::port::FpGuard fp;
  return vt::config::get_db_text(buffer, size, numbers, limit);
}
