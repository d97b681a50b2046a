/* Veltra support library: calendar periods: codes, lengths, floors,
 * ceilings and calendar queries.
 *
 * Period codes are lengths in seconds. 10, 20, 30, 60, 300, 600, 900, 1200,
 * 1800 and 3600 are aligned to UTC; 14400 (four-hour block), 28800 (shift),
 * 86400 (day) and the odd codes 604801 (week), 2635201 (month), 7905601
 * (quarter) and 31557601 (year) follow the local calendar; any other
 * positive code is aligned to local time (standard, or daylight when in
 * effect). Times are epoch times (1970-2099). */
#ifndef VELTRA_PERIOD_H
#define VELTRA_PERIOD_H

#include <stdint.h>

#include "veltra/export.h"
#include "veltra/timezone.h"

#define VT_PERIOD_WEEK 604801
#define VT_PERIOD_MONTH 2635201
#define VT_PERIOD_QUARTER 7905601
#define VT_PERIOD_YEAR 31557601

/* Start of the period containing t; -1 for period <= 0. Calendar codes give
 * t itself when t cannot be broken down (beyond 2099, or -1). */
VELTRA_FN vt_time_t tmFloor(vt_time_t t, int32_t period);

/* t when t starts a period, else the start of the next; -1 for period <= 0;
 * t itself for calendar codes when t cannot be broken down. */
VELTRA_FN vt_time_t tmCeil(vt_time_t t, int32_t period);

/* Length in seconds of the period containing t: months and quarters with
 * their days, years with the leap day; with bit 0 of flags the change of
 * daylight time on the last Sundays of March and October (dstbias). Also
 * accepts 604800, 2635200, 7905600 and 31557600 as the calendar codes.
 * -1 for a negative period, and for months, quarters and years when t
 * cannot be broken down (shorter periods then give their plain length). */
VELTRA_FN int32_t tmPeriodLength(vt_time_t t, int32_t period, int flags);

/* One calendar component of t (or of *rec when not null): 0 seconds since
 * midnight, 1-3 second, minute, hour, 4 day, 5 month 1-12, 6 year, 7
 * weekday (0 Sunday), 8-10 lcWeekOfYear modes 0-2, 11 day of year 1-366,
 * 12 days of the year, 13 days of the month, 14 local standard day number,
 * 15 local standard seconds, 16 t, 17 standard offset east of UTC, 18
 * daylight flag, 19 local wall-clock seconds, 23 change of the day's length
 * by daylight time, 24 weekday from Monday (0-6), 25 day of the quarter, 26
 * the current time, 200-211 period lengths and 300-311 floors of the period
 * index (60, 600, 900, 1800, 3600, 14400, 28800, 86400, week, month,
 * quarter, year). -1 for other selectors or when t cannot be broken down. */
VELTRA_FN int32_t tmv(int what, vt_time_t t, const vt_tm* rec);

/* tmv as a double: selectors 17 and 23 signed, -1 as -1.0, every other
 * value read as an unsigned 32-bit number. */
VELTRA_FN double tmv_dbl(int what, vt_time_t t, const vt_tm* rec);

/* 1 on the last Sunday of March, -1 on the last Sunday of October, else 0;
 * 0 when dstbias is 0. With a null rec, t (-1: now) is broken down; 0 when
 * that fails. */
VELTRA_FN int tmIsDaylightDay(vt_time_t t, const vt_tm* rec);

/* Week number of *rec: modes 0 and 1 count weeks from Monday with the week
 * of 1 January as week 1; mode 2 gives ISO 8601 weeks (1-53, the first
 * days of January may be week 52/53 of the year before, the last days of
 * December week 1). -1 for another mode or a null rec. */
VELTRA_FN int lcWeekOfYear(const vt_tm* rec, int mode);

/* 1 when tm_year + 1900 is a Gregorian leap year, else 0 (0 for null). */
VELTRA_FN int lcLeapYear(const vt_tm* rec);

/* Days of month tm_mon of that year; -1 for a null rec or tm_mon outside
 * 0-11. */
VELTRA_FN int lcDaysOfMon(const vt_tm* rec);

#endif
