// CryptData: method numbers, key rules and result codes around the two
// ciphers. All checks come before the first byte is written, so a rejected
// call leaves dst as it was.
#include <climits>
#include <cstring>

#include "codec/des.h"
#include "codec/rc4.h"
#include "veltra/codec.h"

namespace vt::codec {

namespace {

constexpr size_t kRc4MinKeyChars = 3;
constexpr int kWrongKey = -1;
constexpr int kPartialCipherBlock = -3;
// DES output is count rounded up to whole blocks, which must fit the result.
constexpr int kMaxDesEncipherCount = INT_MAX - static_cast<int>(kDesBlockBytes - 1);

// The key bytes the cipher uses: the caller's string, or, with the reversal
// flag, its characters last first in a private copy, which leaves the
// caller's string untouched even if another thread reads it meanwhile. RC4
// uses no key byte past the 256th, so that much of the reversed key is kept.
struct CipherKey {
  unsigned char reversed[kRc4StateBytes];
  const unsigned char* bytes;
  size_t length;

  CipherKey(const char* key, bool reverse) : length(std::strlen(key)) {
    bytes = reinterpret_cast<const unsigned char*>(key);
    if (!reverse) return;
    size_t keep = length < kRc4StateBytes ? length : kRc4StateBytes;
    for (size_t i = 0; i < keep; ++i)
      reversed[i] = static_cast<unsigned char>(key[length - 1 - i]);
    bytes = reversed;
  }
};

int crypt_des(unsigned char* dst, const unsigned char* src, int count,
              const CipherKey& key, bool decipher) {
  if (key.length != kDesKeyBytes) return kWrongKey;
  if (count < 0 || (count > 0 && (!dst || !src))) return 0;
  size_t n = static_cast<size_t>(count);
  size_t whole = n / kDesBlockBytes;
  size_t rest = n % kDesBlockBytes;
  if (decipher && rest != 0) return kPartialCipherBlock;
  if (!decipher && count > kMaxDesEncipherCount) return 0;
  DesKeySchedule ks = des_key_schedule(key.bytes);
  if (decipher) {
    des_decipher_blocks(ks, dst, src, whole);
    return count;
  }
  des_encipher_blocks(ks, dst, src, whole);
  if (rest == 0) return count;
  unsigned char last[kDesBlockBytes] = {};
  std::memcpy(last, src + whole * kDesBlockBytes, rest);
  des_encipher_blocks(ks, dst + whole * kDesBlockBytes, last, 1);
  return static_cast<int>((whole + 1) * kDesBlockBytes);
}

int crypt_rc4(unsigned char* dst, const unsigned char* src, int count, const CipherKey& key) {
  if (key.length < kRc4MinKeyChars) return kWrongKey;
  if (count < 0 || (count > 0 && (!dst || !src))) return 0;
  Rc4State st;
  size_t used = key.length < kRc4StateBytes ? key.length : kRc4StateBytes;
  rc4_init(st, key.bytes, used);
  rc4_crypt(st, dst, src, static_cast<size_t>(count));
  return count;
}

}  // namespace

int crypt_data(int method, void* dst, const void* src, int count, const char* key,
               int flags) {
  if (method != VELTRA_CRYPT_DES && method != VELTRA_CRYPT_RC4) return 0;
  if (!key) return kWrongKey;
  CipherKey k(key, (flags & VELTRA_CRYPT_KEY_REVERSED) != 0);
  auto* out = static_cast<unsigned char*>(dst);
  auto* in = static_cast<const unsigned char*>(src);
  if (method == VELTRA_CRYPT_DES)
    return crypt_des(out, in, count, k, (flags & VELTRA_CRYPT_DECIPHER) != 0);
  return crypt_rc4(out, in, count, k);
}

}  // namespace vt::codec

int CryptData(int method, void* dst, const void* src, int count, const char* key, int flags) {
  return vt::codec::crypt_data(method, dst, src, count, key, flags);
}
