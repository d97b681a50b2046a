// The notations of --date: reading a pattern, showing it, and an example
// time in it for messages.
#include <cstring>

#include "port/char_class.h"
#include "time_cell.h"

namespace vtcalc {

namespace {

constexpr vt_time_t kExampleTime = 1715949045;  // 2024-05-17 12:30:45 UTC

// The ISO 8601 patterns a user writes; --date iso says the same.
constexpr const char* kIsoPatterns[] = {"iso", "yyyy-mm-ddThh:mm:ss", "yyyy-mm-ddThh:mm"};

}  // namespace

bool parse_notation(const std::string& pattern, Notation& out) {
  for (const char* iso : kIsoPatterns)
    if (pattern == iso) {
      out = Notation{{'y', 'm', 'd'}, '-', ':', true};
      return true;
    }
  Notation n;
  const char* p = pattern.c_str();
  for (int i = 0; i < 3; ++i) {
    if (i > 0) {
      if (*p == '\0' || vt::port::is_digit(*p) || (*p >= 'a' && *p <= 'z') || *p == ' ') return false;
      if (i == 1) n.date_sep = *p;
      if (*p != n.date_sep) return false;
      ++p;
    }
    if (std::strncmp(p, "dd", 2) == 0) {
      n.order[i] = 'd', p += 2;
    } else if (std::strncmp(p, "mm", 2) == 0) {
      n.order[i] = 'm', p += 2;
    } else if (std::strncmp(p, "yyyy", 4) == 0) {
      n.order[i] = 'y', p += 4;
    } else {
      return false;
    }
  }
  std::string order(n.order, 3);
  if (order != "dmy" && order != "mdy" && order != "ymd") return false;
  if (*p == ' ') {
    ++p;
    if (std::strncmp(p, "hh", 2) != 0) return false;
    p += 2;
    n.time_sep = *p;
    if (n.time_sep == '\0' || vt::port::is_digit(n.time_sep) || n.time_sep == ' ' || std::strncmp(p + 1, "mm", 2) != 0)
      return false;
    p += 3;
    if (*p == n.time_sep && std::strncmp(p + 1, "ss", 2) == 0) p += 3;
  }
  if (*p != '\0') return false;
  out = n;
  return true;
}

std::string notation_pattern(const Notation& n) {
  if (n.iso) return "yyyy-mm-ddThh:mm:ss+hh:mm";
  std::string s;
  for (int i = 0; i < 3; ++i) {
    if (i) s += n.date_sep;
    s += n.order[i] == 'd' ? "dd" : n.order[i] == 'm' ? "mm" : "yyyy";
  }
  return s + " hh" + n.time_sep + "mm" + n.time_sep + "ss";
}

std::string example_time_text(const Notation& n) {
  char buf[kTimeTextSize];
  TimeCellWriter writer(n);
  writer.write(buf, kExampleTime, 0, false);
  return buf;
}

}  // namespace vtcalc
