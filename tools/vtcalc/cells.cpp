#include "cells.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "frame/ascii_case.h"

namespace vtcalc {

namespace {

std::string_view trimmed(std::string_view s) {
  std::size_t a = s.find_first_not_of(" \t");
  if (a == std::string_view::npos) return {};
  return s.substr(a, s.find_last_not_of(" \t") + 1 - a);
}

// Longest number text read; a longer cell is no number of a signal.
constexpr std::size_t kNumberLimit = 64;

}  // namespace

bool parse_number(std::string_view cell, char decimal, float& out) {
  std::string_view t = trimmed(cell);
  if (t.empty()) {
    out = NAN;
    return true;
  }
  if (t.size() > kNumberLimit) return false;
  char number[kNumberLimit];
  std::memcpy(number, t.data(), t.size());
  char* first = number;
  char* last = number + t.size();
  for (char* p = first; p != last; ++p) {
    if (*p == decimal)
      *p = '.';
    else if (*p == '.' || *p == ',')
      return false;  // the other mark: a thousands separator or a wrong file
  }
  if (*first == '+') ++first;
  auto r = std::from_chars(first, last, out);
  return r.ec == std::errc() && r.ptr == last;
}

bool parse_bool(std::string_view cell, float& out) {
  static const char* const kWords[] = {"0", "aus", "false", "off", "low", "1", "ein", "true", "on", "high"};
  constexpr int kFirstTrue = 5;
  std::string_view t = trimmed(cell);
  for (int i = 0; i < 10; ++i) {
    const char* w = kWords[i];
    std::size_t n = std::strlen(w);
    if (t.size() == n && vt::frame::ascii_equal_n(t.data(), w, n)) {
      std::uint32_t bits = i >= kFirstTrue ? 1 : 0;
      std::memcpy(&out, &bits, 4);
      return true;
    }
  }
  return false;
}

}  // namespace vtcalc
