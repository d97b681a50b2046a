// Reading the locale state from the user's locale, and the state itself.
#include "frame/locale_state.h"

#include <cstring>

namespace vt::frame {

namespace {

using vt::port::LocaleItem;

// Initialised at load, before any code runs, so that a reader running
// before process attach already sees the defaults.
LocaleState g_state = kDefaultLocaleState;

// The separators are read into a buffer of two characters: a separator of
// two or more characters does not fit, the query fails and the default
// stays.
constexpr int kSeparatorQuerySize = 2;

// A date pattern splits into fields at any of these, whatever the locale's
// own date separator is.
constexpr char kDatePatternSeparators[] = "\\/.-";

void read_separator(LocaleQuery query, LocaleItem item, const char* accepted, char* out) {
  char buf[kSeparatorQuerySize] = {};
  if (query(item, buf, kSeparatorQuerySize) > 0 && buf[0] != '\0' && std::strchr(accepted, buf[0]))
    out[0] = buf[0];
  out[1] = '\0';
}

// The first letters of the leading D/M/Y fields of the pattern; needs three.
void read_date_order(LocaleQuery query, char* order) {
  char pattern[kShortDatePatternSize] = {};
  if (query(LocaleItem::ShortDate, pattern, kShortDatePatternSize) <= 0) return;
  pattern[kShortDatePatternSize - 1] = '\0';
  char noted[3];
  int accepted = 0;
  const char* p = pattern;
  while (accepted < 3) {
    while (*p && std::strchr(kDatePatternSeparators, *p)) ++p;  // runs give no empty fields
    if (!*p) break;
    char first = *p;
    if (first >= 'a' && first <= 'z') first = static_cast<char>(first - 'a' + 'A');
    if (first != 'D' && first != 'M' && first != 'Y') break;
    noted[accepted++] = first;
    while (*p && !std::strchr(kDatePatternSeparators, *p)) ++p;
  }
  if (accepted == 3) std::memcpy(order, noted, 3);
}

}  // namespace

LocaleState read_locale_state(LocaleQuery query) {
  LocaleState s = kDefaultLocaleState;
  read_separator(query, LocaleItem::TimeSeparator, ":.,", s.time_separator);
  read_separator(query, LocaleItem::DateSeparator, "\\/.-", s.date_separator);
  read_separator(query, LocaleItem::DecimalSeparator, ".,", s.decimal_separator);
  read_date_order(query, s.date_order);
  return s;
}

const LocaleState& locale_state() { return g_state; }

void set_locale_state(const LocaleState& state) { g_state = state; }

}  // namespace vt::frame
