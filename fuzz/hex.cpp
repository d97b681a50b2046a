// Hex text decoding on arbitrary input: HexToStr into separate and shared
// buffers of exactly the size its contract names (AddressSanitizer catches a
// read past the terminator or a write past the output), and a round trip of
// every accepted text through StrToHex.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "veltra/codec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  text = text.c_str();  // the decoder sees a string: up to the first zero byte
  size_t n = text.size();

  char* src = static_cast<char*>(std::malloc(n + 1));
  std::memcpy(src, text.c_str(), n + 1);
  char* out = static_cast<char*>(std::malloc(n / 2 + 1));
  char* r = HexToStr(out, src);
  if (!r && out[0] != '\0') std::abort();
  if (r) {
    // Every decoded byte must give back its two digits (in upper case).
    char* hex = static_cast<char*>(std::malloc(n + 1));
    std::string upper = text;
    for (auto& c : upper) c = static_cast<char>(c >= 'a' && c <= 'f' ? c - 32 : c);
    size_t decoded = std::strlen(out);  // a zero byte ends the readable part
    if (!StrToHex(hex, out, -1) || std::strncmp(hex, upper.c_str(), 2 * decoded) != 0)
      std::abort();
    std::free(hex);
  }
  // In place gives the same answer.
  char* r2 = HexToStr(src, src);
  if ((r == nullptr) != (r2 == nullptr) || (r && std::memcmp(out, src, n / 2 + 1) != 0))
    std::abort();
  std::free(out);
  std::free(src);
  return 0;
}
