// Code page 1252 letter folding and classification without the system: a
// 256-entry table built at compile time from the code page's layout.
#include "port/cp1252_table.h"

#include <array>

namespace vt::port {

namespace {

constexpr unsigned char kAlnum = 1;  // flag: the byte is a letter or digit

struct Table {
  std::array<unsigned char, 256> lower{};
  std::array<unsigned char, 256> flags{};
};

constexpr Table make_table() {
  Table t;
  for (int c = 0; c < 256; ++c) t.lower[c] = static_cast<unsigned char>(c);
  auto alnum = [&t](int from, int to) {
    for (int c = from; c <= to; ++c) t.flags[c] = kAlnum;
  };
  alnum('0', '9');
  alnum('A', 'Z');
  alnum('a', 'z');
  for (int c = 'A'; c <= 'Z'; ++c) t.lower[c] = static_cast<unsigned char>(c + 32);
  // Latin-1 letters: capitals C0..DE and smalls DF..FF, without the
  // multiplication and division signs.
  alnum(0xC0, 0xFF);
  t.flags[0xD7] = t.flags[0xF7] = 0;
  for (int c = 0xC0; c <= 0xDE; ++c)
    if (c != 0xD7) t.lower[c] = static_cast<unsigned char>(c + 32);
  // Letters in the 0x80..0x9F block: S, OE and Z with caron and
  // Y with diaeresis pair with their smalls; f with hook and the modifier
  // circumflex have no capital.
  const int capitals[][2] = {{0x8A, 0x9A}, {0x8C, 0x9C}, {0x8E, 0x9E}, {0x9F, 0xFF}};
  for (const auto& pair : capitals) {
    t.lower[pair[0]] = static_cast<unsigned char>(pair[1]);
    t.flags[pair[0]] = t.flags[pair[1]] = kAlnum;
  }
  t.flags[0x83] = t.flags[0x88] = kAlnum;
  // Ordinal indicators, micro sign and the superscript digits.
  for (int c : {0xAA, 0xBA, 0xB5, 0xB2, 0xB3, 0xB9}) t.flags[c] = kAlnum;
  return t;
}

constexpr Table kTable = make_table();

}  // namespace

unsigned char cp1252_lower(unsigned char c) { return kTable.lower[c]; }

bool cp1252_is_alnum(unsigned char c) { return kTable.flags[c] != 0; }

}  // namespace vt::port
