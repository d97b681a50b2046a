// CryptData: published DES and RC4 vectors, zero padding, key rules and
// result codes, with guard bytes after every output. The bit-for-bit
// comparison with another cipher library is in posix/cipher_peer_test.cpp.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

#include "support/guarded_buffer.h"
#include "veltra/codec.h"

namespace {

using vt::test::GuardedBuffer;

std::string from_hex(const std::string& hex) {
  std::string s;
  for (size_t i = 0; i + 1 < hex.size(); i += 2) s += char(std::stoul(hex.substr(i, 2), nullptr, 16));
  return s;
}

TEST(Cipher, PublishedVectorsBothWays) {
  struct {
    int method;
    std::string key, plain, cipher;  // key and plain as hex when method is 1
  } cases[] = {
      {1, "133457799BBCDFF1", "0123456789ABCDEF", "85E813540F0AB405"},
      {1, "0123456789ABCDEF", "4E6F772069732074", "3FA40E8A984D4815"},
      {1, "0E329232EA6D0D73", "8787878787878787", "0000000000000000"},
      {1, "8001010101010101", "0000000000000000", "95A8D72813DAA94D"},
      {2, "Key", "Plaintext", "BBF316E8D940AF0AD3"},
      {2, "Secret", "Attack at dawn", "45A01F645FC35B383552544B9BF5"},
      {2, from_hex("0123456789ABCDEF"), std::string(8, '\0'), "7494C2E7104B0879"},
  };
  for (const auto& c : cases) {
    std::string key = c.method == 1 ? from_hex(c.key) : c.key;
    std::string plain = c.method == 1 ? from_hex(c.plain) : c.plain;
    int n = int(plain.size());
    GuardedBuffer out(n);
    for (int call = 0; call < 2; ++call) {  // every call starts afresh from the key
      ASSERT_EQ(CryptData(c.method, out.data(), plain.data(), n, key.c_str(), 0), n);
      EXPECT_EQ(std::string(out.data(), n), from_hex(c.cipher)) << c.key;
    }
    ASSERT_EQ(CryptData(c.method, out.data(), out.data(), n, key.c_str(), 1), n);
    EXPECT_EQ(std::string(out.data(), n), plain) << c.key;
    EXPECT_TRUE(out.guard_intact());
  }
}

TEST(Cipher, DesPadsTheLastBlockWithZeros) {
  std::mt19937 rng(62);
  for (int n = 0; n <= 40; ++n) {
    std::string plain(n, ' ');
    for (auto& ch : plain) ch = char(rng());
    int padded = (n + 7) / 8 * 8;
    GuardedBuffer ct(padded), back(padded);
    ASSERT_EQ(CryptData(1, ct.data(), plain.data(), n, "k3y!Ab9z", 0), padded);
    ASSERT_EQ(CryptData(1, back.data(), ct.data(), padded, "k3y!Ab9z", 1), padded);
    EXPECT_EQ(std::string(back.data(), padded), plain + std::string(padded - n, '\0'));
    EXPECT_TRUE(ct.guard_intact() && back.guard_intact()) << n;
  }
}

TEST(Cipher, RejectionsLeaveTheOutputAlone) {
  const char data[24] = "0123456789abcdefghijklm";
  const std::string keys = "ABCDEFGHIJKLMNOPQRSTU";
  struct Case {
    int method, count, flags;
    const char* key;
    int result;
  };
  std::vector<Case> cases = {
      {1, 10, 1, "12345678", -3}, {1, 1, 1, "12345678", -3}, {1, 8, 1, nullptr, -1},
      {2, 8, 0, nullptr, -1},     {3, 8, 0, "12345678", 0},  {-1, 8, 0, "abc", 0},
      {1, -8, 0, "12345678", 0},  {2, -1, 0, "abc", 0},      {1, -5, 1, "12345678", 0}};
  std::vector<std::string> held;  // keys of every length 0..20
  for (size_t len = 0; len <= 20; ++len) held.push_back(keys.substr(0, len));
  for (size_t len = 0; len <= 20; ++len) {
    if (len != 8) cases.push_back({1, 16, int(len % 2), held[len].c_str(), -1});
    if (len < 3) cases.push_back({2, 16, 0, held[len].c_str(), -1});
  }
  for (const auto& c : cases) {
    GuardedBuffer out(24, 0x77);
    EXPECT_EQ(CryptData(c.method, out.data(), data, c.count, c.key, c.flags), c.result)
        << c.method << " " << c.count << " " << (c.key ? c.key : "(null)");
    EXPECT_EQ(std::string(out.data(), 24), std::string(24, 0x77));
    EXPECT_TRUE(out.guard_intact());
  }
  EXPECT_EQ(CryptData(1, nullptr, data, 8, "12345678", 0), 0);
  EXPECT_EQ(CryptData(2, nullptr, nullptr, 0, "abc", 0), 0);
}

TEST(Cipher, ReversedKeyFlag) {
  for (int method : {1, 2}) {
    char key[] = "Ab3dEf7H";
    char with_flag[16], reversed[16];
    int n = CryptData(method, with_flag, "hello world", 12, key, 2);
    ASSERT_EQ(CryptData(method, reversed, "hello world", 12, "H7fEd3bA", 0), n);
    EXPECT_EQ(std::string(with_flag, n), std::string(reversed, n)) << method;
    EXPECT_STREQ(key, "Ab3dEf7H");
  }
}

}  // namespace
