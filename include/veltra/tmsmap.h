/* Veltra support library: the time value class tmsmap.
 *
 * A point in time with millisecond resolution: seconds since 1970-01-01 UTC
 * as a double, the milliseconds in the fraction; a negative value (normally
 * -1.0) means no time. Calendar operations work in local time through the
 * library's own localtime and mktime (timezone.h), so they share the range
 * 1970-2099 and fail (false, or -1) outside it, leaving the value as it was.
 *
 * The 32-bit DLL exports every member, those defined here included, under
 * g++'s name and also under the name and conventions of Microsoft's
 * compiler (constructors returning this, results of this class through the
 * caller's hidden pointer). */
#ifndef VELTRA_TMSMAP_H
#define VELTRA_TMSMAP_H

#include <stdint.h>

#include "veltra/export.h"
#include "veltra/timezone.h"

#ifdef __cplusplus

class VELTRA_API tmsmap {
 public:
  // The unit floorne floors to; any other value floors like floor_month.
  enum floormode : int {
    floor_second = 0,    // the whole second
    floor_hour = 1,      // the whole UTC hour
    floor_minute = 2,    // the whole UTC minute
    floor_day = 3,       // local midnight
    floor_week = 4,      // local midnight of the week's Monday
    floor_month = 5,     // local midnight of the 1st
    floor_quarter = 6,   // local midnight of 1 Jan, 1 Apr, 1 Jul or 1 Oct
    floor_year = 7,      // local midnight of 1 January
    floor_weekyear = 8,  // Monday of the week holding 4 January of the same year
    floor_shift8 = 9,    // local 00:00, 08:00 or 16:00
    floor_shift4 = 10    // local 00:00, 04:00, ... 20:00
  };

  tmsmap() {}  // value left uninitialised
  tmsmap(double v) : val(v) {}
  // Epoch time read unsigned; -1 gives -1.0.
  tmsmap(vt_time_t t);
  // Epoch time plus ms / 1000 (ms not limited); -1 for t gives -1.0.
  tmsmap(vt_time_t t, int16_t ms);
  tmsmap& operator=(const tmsmap& o) = default;
  tmsmap(const tmsmap& o) = default;
  tmsmap& operator=(double v) {
    val = v;
    return *this;
  }
  // The value the two-argument constructor holds.
  static double conv(vt_time_t t, int16_t ms);

  tmsmap operator+(const tmsmap& o) const;
  tmsmap operator-(const tmsmap& o) const;
  tmsmap operator*(double d) const;
  // n read as an unsigned count times the value; -1.0 when n is -1.
  tmsmap operator*(int32_t n) const;
  tmsmap operator/(double d) const;
  // The number of intervals of n milliseconds: value / n * 1000.
  tmsmap operator/(int32_t n) const;

  operator double() const { return val; }
  // Whole seconds (truncated, low 32 bits); -1 for a negative or NaN value.
  vt_time_t operator!() const;
  // Milliseconds: value * 1000 truncated, modulo 1000 (0 for NaN/huge).
  int16_t operator~() const;

  // Exact comparisons, no tolerance.
  bool eq(const tmsmap& o) const;
  bool ne(const tmsmap& o) const;
  bool lt(const tmsmap& o) const;
  bool gt(const tmsmap& o) const;

  // Shift by calendar units in local time, keeping the wall-clock time of
  // day across daylight-saving changes and the milliseconds; days beyond a
  // month's end roll over (31 Jan + 1 month = 2/3 March). False (value
  // unchanged) when the time cannot be broken down or rebuilt.
  bool addne(int days, int weeks, int months, int quarters, int years);
  bool subne(int days, int weeks, int months, int quarters, int years);

  // Floors to the start of the unit, dropping the milliseconds. False
  // (value unchanged) for a value outside the range.
  bool floorne(floormode mode);

  // Days of the local month containing t; -1 outside the range.
  int daypermonth(vt_time_t t);
  int daypermonth();

 protected:
  bool subadd_nonequidist(int days, int weeks, int months, int quarters, int years);

  double val;
};

#endif

#endif
