#include "ui/float_text.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace vt::ui {

bool format_item_float(double value, char* buf) {
  int n = snprintf(buf, kFloatTextSize, "%G", value);
  return n >= 0 && n < kFloatTextSize;
}

bool parse_item_float(const char* text, double* value) {
  if (!text || !value) return false;
  char buf[kFloatTextSize];
  size_t n = strnlen(text, kFloatTextSize - 1);
  if (n == 0) return false;
  memcpy(buf, text, n);
  buf[n] = '\0';
  if (char* comma = strchr(buf, ',')) *comma = '.';
  char* end = nullptr;
  double v = strtod(buf, &end);
  if (end == buf || *end != '\0') return false;
  *value = v;
  return true;
}

}  // namespace vt::ui
