#include "text.h"

#include <cstdio>

namespace vtcalc {

namespace {
// Enough of a cell to recognise it in a message.
constexpr std::size_t kQuotedLimit = 60;
}  // namespace

std::string to_utf8(const std::string& s) {
  std::string out;
  for (char ch : s) {
    unsigned char c = static_cast<unsigned char>(ch);
    if (c < 0x80) {
      out += ch;
    } else {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

std::string to_cp1252(const std::string& s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    if ((c == 0xC2 || c == 0xC3) && i + 1 < s.size()) {
      out += static_cast<char>(((c & 0x1F) << 6) | (s[i + 1] & 0x3F));
      ++i;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

std::string quoted(const char* s, std::size_t n) {
  std::string out = "\"";
  for (std::size_t i = 0; i < n && i < kQuotedLimit; ++i) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    if (c < 0x20 || c == 0x7F || c == '"') {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    } else {
      out += static_cast<char>(c);
    }
  }
  if (n > kQuotedLimit) out += "...";
  return out + "\"";
}

}  // namespace vtcalc
