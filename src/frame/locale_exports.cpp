// The exported accessors of the locale state.
#include <cstring>

#include "frame/locale_state.h"
#include "veltra/frame.h"

namespace {
const char kNoSeparator[] = "";
}

const char* GetSep(int which) {
  const vt::frame::LocaleState& s = vt::frame::locale_state();
  switch (which) {
    case 0: return s.date_separator;
    case 1: return s.time_separator;
    case 2: return s.decimal_separator;
  }
  return kNoSeparator;
}

char* lcFloatConv(char* text) {
  if (!text) return text;
  if (char* point = std::strchr(text, '.')) *point = vt::frame::decimal_separator();
  return text;
}

char* lcConvFloat(char* text) {
  if (!text) return text;
  if (char* mark = std::strchr(text, vt::frame::decimal_separator())) *mark = '.';
  return text;
}
