// The RC4 stream cipher.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vt::codec {

constexpr size_t kRc4StateBytes = 256;

struct Rc4State {
  uint8_t s[kRc4StateBytes];
  uint8_t i, j;
};

// Key scheduling over key_len (>= 1) key bytes, repeated cyclically; bytes
// beyond the 256th take no part.
void rc4_init(Rc4State& st, const unsigned char* key, size_t key_len);

// XORs count bytes of src with the next key-stream bytes into dst (which may
// be src).
void rc4_crypt(Rc4State& st, unsigned char* dst, const unsigned char* src, size_t count);

}  // namespace vt::codec
