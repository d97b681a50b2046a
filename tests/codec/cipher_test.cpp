// CryptData: published DES and RC4 vectors, round trips, key rules and
// result codes, with guard bytes after every output. The comparison with an
// independent cipher library over random data is in posix/cipher_peer_test.cpp.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "support/guarded_buffer.h"
#include "veltra/codec.h"

namespace {

using vt::test::GuardedBuffer;

std::vector<unsigned char> from_hex(const char* hex) {
  std::vector<unsigned char> v(std::strlen(hex) / 2);
  for (size_t i = 0; i < v.size(); ++i)
    v[i] = static_cast<unsigned char>(std::stoul(std::string(hex + 2 * i, 2), nullptr, 16));
  return v;
}

std::string key_from_hex(const char* hex) {
  auto v = from_hex(hex);
  return std::string(v.begin(), v.end());
}

TEST(Cipher, PublishedDesBlocks) {
  struct Case {
    const char *key, *plain, *cipher;
  } cases[] = {
      {"133457799BBCDFF1", "0123456789ABCDEF", "85E813540F0AB405"},
      {"0123456789ABCDEF", "4E6F772069732074", "3FA40E8A984D4815"},
      {"0E329232EA6D0D73", "8787878787878787", "0000000000000000"},
      {"0101010101010101", "95F8A5E5DD31D900", "8000000000000000"},
      {"8001010101010101", "0000000000000000", "95A8D72813DAA94D"},
  };
  for (const auto& c : cases) {
    std::string key = key_from_hex(c.key);
    auto plain = from_hex(c.plain);
    GuardedBuffer out(8);
    ASSERT_EQ(CryptData(1, out.data(), plain.data(), 8, key.c_str(), 0), 8) << c.key;
    EXPECT_EQ(std::vector<unsigned char>(out.bytes(), out.bytes() + 8), from_hex(c.cipher))
        << c.key;
    ASSERT_EQ(CryptData(1, out.data(), out.data(), 8, key.c_str(), 1), 8);
    EXPECT_EQ(std::vector<unsigned char>(out.bytes(), out.bytes() + 8), plain) << c.key;
    EXPECT_TRUE(out.guard_intact());
  }
}

TEST(Cipher, PublishedRc4Streams) {
  struct Case {
    std::string key;
    std::string plain;
    const char* cipher;
  } cases[] = {
      {"Key", "Plaintext", "BBF316E8D940AF0AD3"},
      {"Wiki", "pedia", "1021BF0420"},
      {"Secret", "Attack at dawn", "45A01F645FC35B383552544B9BF5"},
      {key_from_hex("0123456789ABCDEF"), key_from_hex("0123456789ABCDEF"), "75B7878099E0C596"},
      {key_from_hex("0123456789ABCDEF"), std::string(8, '\0'), "7494C2E7104B0879"},
  };
  for (const auto& c : cases) {
    int n = static_cast<int>(c.plain.size());
    GuardedBuffer out(c.plain.size());
    for (int call = 0; call < 2; ++call) {  // each call restarts the key stream
      ASSERT_EQ(CryptData(2, out.data(), c.plain.data(), n, c.key.c_str(), 0), n);
      EXPECT_EQ(std::vector<unsigned char>(out.bytes(), out.bytes() + n), from_hex(c.cipher))
          << c.key;
    }
    ASSERT_EQ(CryptData(2, out.data(), out.data(), n, c.key.c_str(), 1), n);  // bit 0 ignored
    EXPECT_EQ(std::string(out.data(), n), c.plain);
    EXPECT_TRUE(out.guard_intact());
  }
}

TEST(Cipher, DesPadsTheLastBlockWithZeros) {
  std::mt19937 rng(62);
  for (int n = 0; n <= 40; ++n) {
    std::string plain(n, ' ');
    for (auto& ch : plain) ch = static_cast<char>(rng());
    int padded = (n + 7) / 8 * 8;
    GuardedBuffer ct(padded), back(padded);
    ASSERT_EQ(CryptData(1, ct.data(), plain.data(), n, "k3y!Ab9z", 0), padded);
    EXPECT_TRUE(ct.guard_intact()) << n;
    ASSERT_EQ(CryptData(1, back.data(), ct.data(), padded, "k3y!Ab9z", 1), padded);
    EXPECT_EQ(std::string(back.data(), padded), plain + std::string(padded - n, '\0'));
    EXPECT_TRUE(back.guard_intact()) << n;
  }
}

TEST(Cipher, RejectionsLeaveTheOutputAlone) {
  const char data[24] = "0123456789abcdefghijklm";
  struct Case {
    int method, count, flags;
    const char* key;
    int result;
  } cases[] = {
      {1, 10, 1, "12345678", -3}, {1, 1, 1, "12345678", -3},  {1, 9, 0, "1234567", -1},
      {1, 8, 0, "123456789", -1}, {1, 8, 1, nullptr, -1},     {2, 8, 0, "ab", -1},
      {2, 8, 0, "", -1},          {2, 8, 0, nullptr, -1},     {3, 8, 0, "12345678", 0},
      {0, 8, 0, "abc", 0},        {-1, 8, 0, "abc", 0},       {1, -8, 0, "12345678", 0},
      {2, -1, 0, "abc", 0},       {1, -5, 1, "12345678", 0},
  };
  for (const auto& c : cases) {
    GuardedBuffer out(24, 0x77);
    EXPECT_EQ(CryptData(c.method, out.data(), data, c.count, c.key, c.flags), c.result)
        << c.method << " " << c.count << " " << (c.key ? c.key : "(null)");
    for (size_t i = 0; i < out.size(); ++i) ASSERT_EQ(out.bytes()[i], 0x77) << c.method;
    EXPECT_TRUE(out.guard_intact());
  }
  EXPECT_EQ(CryptData(1, nullptr, data, 8, "12345678", 0), 0);
  EXPECT_EQ(CryptData(2, nullptr, nullptr, 0, "abc", 0), 0);
}

TEST(Cipher, KeyLengthsZeroToTwenty) {
  const std::string long_key = "ABCDEFGHIJKLMNOPQRSTU";
  const char data[16] = "fifteen bytes..";
  for (size_t len = 0; len <= 20; ++len) {
    std::string key = long_key.substr(0, len);
    GuardedBuffer out(16);
    int des = CryptData(1, out.data(), data, 16, key.c_str(), 0);
    EXPECT_EQ(des, len == 8 ? 16 : -1) << len;
    int rc4 = CryptData(2, out.data(), data, 16, key.c_str(), 0);
    EXPECT_EQ(rc4, len >= 3 ? 16 : -1) << len;
    EXPECT_TRUE(out.guard_intact()) << len;
  }
}

TEST(Cipher, ReversedKeyFlag) {
  const char data[12] = "hello world";
  for (int method : {1, 2}) {
    char key[] = "Ab3dEf7H";
    char reversed[] = "H7fEd3bA";
    unsigned char with_flag[16], plain_key[16];
    int n1 = CryptData(method, with_flag, data, 12, key, 2);
    int n2 = CryptData(method, plain_key, data, 12, reversed, 0);
    ASSERT_EQ(n1, n2);
    EXPECT_EQ(0, std::memcmp(with_flag, plain_key, n1)) << method;
    EXPECT_STREQ(key, "Ab3dEf7H");
  }
  // A reversed 3-character RC4 key and a read-only key string.
  unsigned char a[5], b[5];
  ASSERT_EQ(CryptData(2, a, "data!", 5, "xyz", 2), 5);
  ASSERT_EQ(CryptData(2, b, "data!", 5, "zyx", 0), 5);
  EXPECT_EQ(0, std::memcmp(a, b, 5));
}

}  // namespace
