// Unpacking text from arbitrary doubles (NaN, infinities, huge and negative
// values included) under arbitrary limits and buffer sizes: the buffer is
// exactly the size given, so AddressSanitizer catches any write past it, and
// the result must describe what was placed. Packing arbitrary text into an
// array of exactly the cells the limit asks for is checked the same way.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "veltra/dbtext.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  int limit = static_cast<int8_t>(data[0]);  // -128..127
  int buf_size = 1 + data[1] % 128;
  data += 2;
  size -= 2;

  // The cells a limit of up to 95 may read: 16.
  std::vector<double> cells(16, 0.0);
  std::memcpy(cells.data(), data, size < 16 * sizeof(double) ? size : 16 * sizeof(double));
  char* buf = static_cast<char*>(std::malloc(buf_size));
  int got = GetDBText(buf, buf_size, cells.data(), limit);
  if (got < 0 || got > buf_size - 1 || buf[got] != '\0') std::abort();
  std::free(buf);

  std::vector<char> text(reinterpret_cast<const char*>(data),
                         reinterpret_cast<const char*>(data) + size);
  text.push_back('\0');
  int cap = limit > 95 ? 95 : limit;
  size_t n_cells = cap < 0 ? 0 : static_cast<size_t>(cap / 6 + 1);
  double* out = static_cast<double*>(std::malloc(n_cells ? n_cells * sizeof(double) : 1));
  int written = SetDBText(out, limit, text.data());
  if (written < 0 || static_cast<size_t>(written) > n_cells) std::abort();
  std::free(out);
  return 0;
}
