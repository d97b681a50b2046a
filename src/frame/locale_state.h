// The locale state: the user's date, time and decimal separators and the
// order of day, month and year in a date. Read once at process attach and
// read-only afterwards, so readers take no lock.
#pragma once

#include "port/locale.h"

namespace vt::frame {

// Each separator is one character and its terminator; the date order is
// three letters out of D, M and Y.
struct LocaleState {
  char date_separator[2];
  char time_separator[2];
  char decimal_separator[2];
  char date_order[4];
};

// The values that hold before the locale has been read, and that replace
// any item the locale does not answer acceptably.
inline constexpr LocaleState kDefaultLocaleState = {".", ":", ".", "DMY"};

// Size of the buffer the short-date pattern is read into; a pattern that
// does not fit leaves the date order at its default.
inline constexpr int kShortDatePatternSize = 64;

// One locale query with the contract of GetLocaleInfoA: writes the item
// into buf (size bytes with the terminator) and returns the characters
// written including the terminator, 0 when it fails or does not fit.
using LocaleQuery = int (*)(vt::port::LocaleItem item, char* buf, int size);

// Computes the locale state from the answers of `query` alone; every
// failed or unacceptable answer falls back to kDefaultLocaleState.
LocaleState read_locale_state(LocaleQuery query);

// The process-wide state. Readers for the time and number texts:
const LocaleState& locale_state();
inline char date_separator() { return locale_state().date_separator[0]; }
inline char time_separator() { return locale_state().time_separator[0]; }
inline char decimal_separator() { return locale_state().decimal_separator[0]; }
// "DMY", "MDY", "YMD", ...: the order of the fields in a short date.
inline const char* date_order() { return locale_state().date_order; }

// Replaces the process-wide state. Process attach uses it; tests use it to
// run code under a chosen locale (restore the previous state afterwards).
void set_locale_state(const LocaleState& state);

}  // namespace vt::frame
