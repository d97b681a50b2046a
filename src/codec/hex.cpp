// StrToHex and HexToStr. Both allow dst == src: StrToHex reads from a private
// copy because its output is twice as long as its input; HexToStr writes
// byte k only after reading digits 2k and 2k+1, so it never overtakes itself.
#include "codec/hex.h"

#include <cstdlib>
#include <cstring>

#include "veltra/codec.h"

namespace vt::codec {

namespace {
constexpr char kHexDigits[] = "0123456789ABCDEF";
constexpr int kWholeString = -1;
}  // namespace

int hex_digit_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

char* str_to_hex(char* dst, const char* src, int count) {
  size_t len = std::strlen(src);
  size_t n = count == kWholeString ? len : count < 0 ? 0 : static_cast<size_t>(count);
  if (n > len) n = len;  // the copy ends at the terminator; read no further
  auto* copy = static_cast<unsigned char*>(std::malloc(n + 1));
  if (!copy) return nullptr;
  std::memcpy(copy, src, n);
  for (size_t i = 0; i < n; ++i) {
    dst[2 * i] = kHexDigits[copy[i] >> 4];
    dst[2 * i + 1] = kHexDigits[copy[i] & 0x0F];
  }
  dst[2 * n] = '\0';
  std::free(copy);
  return dst;
}

char* hex_to_str(char* dst, const char* src) {
  size_t out = 0;
  for (size_t in = 0; src[in] != '\0'; in += 2) {
    int hi = hex_digit_value(src[in]);
    int lo = hi < 0 ? -1 : hex_digit_value(src[in + 1]);  // src[in + 1] may be the terminator
    if (lo < 0) {
      dst[0] = '\0';
      return nullptr;
    }
    dst[out++] = static_cast<char>(hi << 4 | lo);
  }
  dst[out] = '\0';
  return dst;
}

}  // namespace vt::codec

char* StrToHex(char* dst, const char* src, int count) {
  if (!dst || !src) return nullptr;
  return vt::codec::str_to_hex(dst, src, count);
}

char* HexToStr(char* dst, const char* src) {
  if (!dst || !src) return nullptr;
  return vt::codec::hex_to_str(dst, src);
}
