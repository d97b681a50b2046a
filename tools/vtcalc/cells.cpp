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

// Powers of ten that are floats exactly (5^10 < 2^24).
constexpr float kExactPowersOfTen[] = {1e0f, 1e1f, 1e2f, 1e3f, 1e4f, 1e5f, 1e6f, 1e7f, 1e8f, 1e9f, 1e10f};

// The cells a plant file is made of, "-123,45": digits with at most one
// decimal mark. When the digits, as an integer m, stay below 2^24 and
// there are at most 10 after the mark, m and 10^k are floats exactly and
// one division gives the float nearest m / 10^k: the bits the general
// reading gives, at a fraction of its cost. False for every other text
// (more digits, exponents, words), which takes the general reading.
bool read_short_decimal(std::string_view t, char decimal, float& out) {
  const char* p = t.data();
  const char* const end = p + t.size();
  if (p != end && *p == '+') ++p;
  const bool negative = p != end && *p == '-';
  if (negative) ++p;
  std::uint32_t m = 0;
  int digits = 0, after_mark = -1;  // -1: no mark yet
  for (; p != end; ++p) {
    const unsigned d = static_cast<unsigned char>(*p) - '0';
    if (d <= 9) {
      m = m * 10 + d;
      if (m >= (1u << 24)) return false;
      ++digits;
      if (after_mark >= 0 && ++after_mark > 10) return false;
    } else if (*p == decimal && after_mark < 0) {
      after_mark = 0;
    } else {
      return false;
    }
  }
  if (digits == 0) return false;
  const float v = static_cast<float>(m) / kExactPowersOfTen[after_mark < 0 ? 0 : after_mark];
  out = negative ? -v : v;
  return true;
}

}  // namespace

bool parse_number(std::string_view cell, char decimal, float& out) {
  std::string_view t = trimmed(cell);
  if (t.empty()) {
    out = NAN;
    return true;
  }
  if (t.size() > kNumberLimit) return false;
  if (read_short_decimal(t, decimal, out)) return true;
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
