// The glibc oracle of the decimal forms.
#include "format_oracle.h"

#include <cstdio>
#include <cstring>

namespace vt_test {

double sample_value(std::mt19937_64& rng) {
  uint64_t r = rng();
  double sign = (r & 1) ? -1.0 : 1.0;
  switch ((r >> 1) % 6) {
    case 0: {  // any finite bit pattern
      uint64_t bits = rng();
      double v;
      std::memcpy(&v, &bits, sizeof v);
      return v == v && v - v == 0 ? v : 0.0;
    }
    case 1:  // an exact tie at some count of decimals
      return sign * static_cast<double>(rng() % 100000 * 2 + 1) / static_cast<double>(1u << (rng() % 12 + 1));
    case 2:  // moderate magnitudes
      return sign * static_cast<double>(rng() >> 11) / static_cast<double>(1ull << (rng() % 60));
    case 3: {  // near powers of ten
      double p = 1;
      for (int e = static_cast<int>(rng() % 40) - 20; e; e += e > 0 ? -1 : 1) p = e > 0 ? p * 10 : p / 10;
      return sign * p * (1 + (static_cast<double>(rng() % 3) - 1) * 1e-16);
    }
    case 4:
      return sign * 0.0;
    default:  // short decimals such as 2.675 that are not exact in binary
      return sign * static_cast<double>(rng() % 1000000) / 1000.0;
  }
}

namespace {

// glibc writes "E+05"; the field shows "E+005".
std::string printf_exponent(int decimals, double v) {
  char buf[512];
  std::snprintf(buf, sizeof buf, "%.*E", decimals, v);
  std::string s = buf;
  std::size_t e = s.find('E');
  while (s.size() - e - 2 < 3) s.insert(e + 2, "0");
  return s;
}

}  // namespace

std::string oracle_text(int format, int decimals, double v) {
  int width = format & 0x7F;
  bool exponent = format & 0x800;
  bool zeros = (format & 0x400) && !(format & 0x8000);
  std::string s;
  if (exponent) {
    s = printf_exponent(decimals, v);
  } else {
    char buf[512];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    s = buf;
  }
  if (s[0] == '-' && s.find_first_of("123456789") == std::string::npos) s.erase(0, 1);
  if (s.size() >= 79 || static_cast<int>(s.size()) > width) {
    int d = decimals >= width - 6 ? (width > 6 ? width - 6 : 0) : decimals;
    return printf_exponent(d, v);
  }
  if (zeros) s.insert(s[0] == '-' ? 1 : 0, width - s.size(), '0');
  return s;
}

}  // namespace vt_test
