#include "codec/rc4.h"

#include <utility>

namespace vt::codec {

void rc4_init(Rc4State& st, const unsigned char* key, size_t key_len) {
  for (size_t k = 0; k < kRc4StateBytes; ++k) st.s[k] = static_cast<uint8_t>(k);
  uint8_t j = 0;
  for (size_t k = 0; k < kRc4StateBytes; ++k) {
    j = static_cast<uint8_t>(j + st.s[k] + key[k % key_len]);
    std::swap(st.s[k], st.s[j]);
  }
  st.i = st.j = 0;
}

void rc4_crypt(Rc4State& st, unsigned char* dst, const unsigned char* src, size_t count) {
  // The indices live in locals: the compiler then keeps them in registers.
  uint8_t i = st.i, j = st.j;
  uint8_t* s = st.s;
  for (size_t n = 0; n < count; ++n) {
    i = static_cast<uint8_t>(i + 1);
    uint8_t si = s[i];
    j = static_cast<uint8_t>(j + si);
    uint8_t sj = s[j];
    s[i] = sj;
    s[j] = si;
    dst[n] = static_cast<unsigned char>(src[n] ^ s[static_cast<uint8_t>(si + sj)]);
  }
  st.i = i;
  st.j = j;
}

}  // namespace vt::codec
