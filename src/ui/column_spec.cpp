#include "ui/column_spec.h"

#include <climits>
#include <cstdlib>
#include <cstring>

namespace vt::ui {

ColumnSpec parse_column_spec(const char* text) {
  ColumnSpec spec{};
  spec.width = kDefaultColumnWidth;
  spec.align = ColumnAlign::left;
  if (!text) return spec;

  // Work on a bounded copy so that the pieces can be terminated in place.
  char copy[kColumnSpecChars + 1];
  std::size_t n = strnlen(text, kColumnSpecChars);
  std::memcpy(copy, text, n);
  copy[n] = '\0';

  char* pieces[3] = {nullptr, nullptr, nullptr};
  int count = 0;
  char* p = copy;
  while (*p && count < 3) {
    while (*p == '|') ++p;
    if (!*p) break;
    pieces[count++] = p;
    while (*p && *p != '|') ++p;
    if (*p) *p++ = '\0';
  }

  if (pieces[0]) std::strcpy(spec.title, pieces[0]);
  if (pieces[1]) {
    // strtol rather than atoi: an overlong number saturates instead of
    // being undefined.
    long w = std::strtol(pieces[1], nullptr, 10);
    spec.width = w > INT_MAX ? INT_MAX : w < INT_MIN ? INT_MIN : static_cast<int>(w);
  }
  if (pieces[2]) {
    if (pieces[2][0] == 'r') spec.align = ColumnAlign::right;
    else if (pieces[2][0] == 'c') spec.align = ColumnAlign::centre;
  }
  return spec;
}

}  // namespace vt::ui
