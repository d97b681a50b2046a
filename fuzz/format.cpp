// The scanners of number formatting on arbitrary text: ScanFloat under the
// format word of the first two bytes, ScanFormat under the allowed forms of
// the next two. What they read is written back by FormatFloat and FormatStr
// into buffers of exactly the size the contract names, so AddressSanitizer
// catches a write past them; a mask that ScanFormat accepted must scan back.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "veltra/format.h"

namespace {

// FormatFloat's promise: 80 bytes, width + 1 and decimals + 18.
size_t float_buffer_size(int16_t format, int16_t decimals) {
  return std::max<size_t>({80, static_cast<size_t>((format & 0x7F) + 1),
                           static_cast<size_t>(std::max<int>(decimals, 0) + 18)});
}

void format_exactly(int16_t format, int16_t decimals, double value, int representation) {
  size_t size = float_buffer_size(format, decimals);
  char* buf = static_cast<char*>(std::malloc(size));
  FormatFloat(buf, format, decimals, value, representation);
  if (std::strlen(buf) >= size) std::abort();
  std::free(buf);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 4) return 0;
  int16_t format = static_cast<int16_t>(data[0] | data[1] << 8);
  int16_t allowed = static_cast<int16_t>(data[2] | data[3] << 8);
  std::vector<char> text(reinterpret_cast<const char*>(data) + 4,
                         reinterpret_cast<const char*>(data) + size);
  text.push_back('\0');
  std::vector<char> copy = text;

  int error = -1;
  double value = ScanFloat(copy.data(), format, &error);
  if (error != 0 && error != 1) std::abort();
  format_exactly(format, static_cast<int16_t>(data[2]), value, data[3] % 6);

  int16_t f = 0, d = 0;
  if (ScanFormat(text.data(), &f, &d, allowed)) {
    if ((f & 0x7F) == 0 && (f & 0x600) != 0x600) std::abort();
    int16_t f2, d2;
    if (!ScanFormat(FormatStr(f, d), &f2, &d2, allowed) && (f & 0x600) != 0x600) std::abort();
    format_exactly(f, d, value, 0);
  }
  return 0;
}
