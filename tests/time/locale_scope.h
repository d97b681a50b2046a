// Test helper: run under a chosen date order and separators.
#pragma once

#include <cstring>

#include "frame/locale_state.h"

namespace vt::test {

class LocaleScope {
 public:
  LocaleScope(const char* order, char date_sep, char time_sep) : saved_(frame::locale_state()) {
    frame::LocaleState s = saved_;
    std::strcpy(s.date_order, order);
    s.date_separator[0] = date_sep;
    s.time_separator[0] = time_sep;
    frame::set_locale_state(s);
  }
  ~LocaleScope() { frame::set_locale_state(saved_); }

 private:
  frame::LocaleState saved_;
};

}  // namespace vt::test
