// DES and RC4 of CryptData bit for bit against nettle over random keys and
// data.
#include <gtest/gtest.h>
#include <nettle/arcfour.h>
#include <nettle/des.h>

#include <random>
#include <string>
#include <vector>

#include "veltra/codec.h"

namespace {

TEST(CipherPeer, DesAndRc4MatchNettle) {
  std::mt19937 rng(46);
  for (int round = 0; round < 300; ++round) {
    std::string key(round % 2 ? 3 + rng() % 300 : 8, ' ');
    for (auto& ch : key) ch = char(1 + rng() % 255);  // a string: no zero byte
    std::vector<uint8_t> data(8 * (rng() % 200)), want(data.size()), got(data.size());
    for (auto& b : data) b = uint8_t(rng());
    int n = int(data.size());
    auto k = reinterpret_cast<const uint8_t*>(key.data());
    if (key.size() == 8) {
      des_ctx ctx;
      des_set_key(&ctx, k);  // weak keys are keys too
      des_encrypt(&ctx, data.size(), want.data(), data.data());
      ASSERT_EQ(CryptData(1, got.data(), data.data(), n, key.c_str(), 0), n);
      ASSERT_EQ(got, want) << round;
      des_decrypt(&ctx, data.size(), want.data(), data.data());
      ASSERT_EQ(CryptData(1, got.data(), data.data(), n, key.c_str(), 1), n);
    } else {
      arcfour_ctx ctx;
      // Bytes past the 256th of a key take no part in the key schedule.
      arcfour_set_key(&ctx, key.size() < 256 ? key.size() : 256, k);
      arcfour_crypt(&ctx, data.size(), want.data(), data.data());
      ASSERT_EQ(CryptData(2, got.data(), data.data(), n, key.c_str(), 0), n);
    }
    ASSERT_EQ(got, want) << round;
  }
}

}  // namespace
