// DES and RC4 of CryptData bit for bit against the nettle library over
// random keys and data.
#include <gtest/gtest.h>
#include <nettle/arcfour.h>
#include <nettle/des.h>

#include <random>
#include <string>
#include <vector>

#include "veltra/codec.h"

namespace {

std::string random_key(std::mt19937& rng, size_t len) {
  std::string k(len, ' ');
  for (auto& ch : k) ch = static_cast<char>(1 + rng() % 255);  // a string: no zero byte
  return k;
}

std::vector<uint8_t> random_bytes(std::mt19937& rng, size_t n) {
  std::vector<uint8_t> v(n);
  for (auto& b : v) b = static_cast<uint8_t>(rng());
  return v;
}

TEST(CipherPeer, DesMatchesNettle) {
  std::mt19937 rng(46);
  for (int round = 0; round < 300; ++round) {
    std::string key = random_key(rng, 8);
    auto data = random_bytes(rng, 8 * (rng() % 40));
    des_ctx ctx;
    des_set_key(&ctx, reinterpret_cast<const uint8_t*>(key.data()));  // weak keys are fine
    std::vector<uint8_t> want(data.size()), got(data.size());
    des_encrypt(&ctx, data.size(), want.data(), data.data());
    int n = static_cast<int>(data.size());
    ASSERT_EQ(CryptData(1, got.data(), data.data(), n, key.c_str(), 0), n);
    ASSERT_EQ(got, want) << "round " << round;
    des_decrypt(&ctx, data.size(), want.data(), data.data());
    ASSERT_EQ(CryptData(1, got.data(), data.data(), n, key.c_str(), 1), n);
    ASSERT_EQ(got, want) << "round " << round;
  }
}

TEST(CipherPeer, Rc4MatchesNettle) {
  std::mt19937 rng(47);
  for (int round = 0; round < 300; ++round) {
    size_t key_len = 3 + rng() % 300;
    std::string key = random_key(rng, key_len);
    auto data = random_bytes(rng, rng() % 2000);
    arcfour_ctx ctx;
    // Bytes past the 256th of a key take no part in the key schedule.
    arcfour_set_key(&ctx, key_len < 256 ? key_len : 256,
                    reinterpret_cast<const uint8_t*>(key.data()));
    std::vector<uint8_t> want(data.size()), got(data.size());
    arcfour_crypt(&ctx, data.size(), want.data(), data.data());
    int n = static_cast<int>(data.size());
    ASSERT_EQ(CryptData(2, got.data(), data.data(), n, key.c_str(), 0), n);
    ASSERT_EQ(got, want) << "key length " << key_len;
  }
}

}  // namespace
