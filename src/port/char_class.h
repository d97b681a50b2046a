// Character classes of the library's own scanners, by the ASCII codes alone
// and never by the C runtime's locale: decimal digits, the letters A to Z
// and a to z, and white space (the blank and the control characters 9 to
// 13). Bytes above 127 belong to none of them, also as negative chars.
#pragma once

namespace vt::port {

constexpr bool is_digit(char c) { return c >= '0' && c <= '9'; }
constexpr bool is_letter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
constexpr bool is_space(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

inline const char* skip_space(const char* p) {
  while (is_space(*p)) ++p;
  return p;
}

}  // namespace vt::port
