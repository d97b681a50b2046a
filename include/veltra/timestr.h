/* Veltra support library: points in time and sampling periods as text, in
 * the user's notation (the locale's date order, date separator and time
 * separator; German weekday abbreviations). */
#ifndef VELTRA_TIMESTR_H
#define VELTRA_TIMESTR_H

#include <stdint.h>

#include "veltra/export.h"
#include "veltra/timezone.h"

/* Parts TimeStr writes (any combination). */
#define VT_TS_MILLISECONDS 0x001
#define VT_TS_SECONDS 0x002
#define VT_TS_MINUTES 0x004
#define VT_TS_HOURS 0x008
#define VT_TS_DAY 0x010
#define VT_TS_MONTH 0x020
#define VT_TS_YEAR 0x040
#define VT_TS_WEEKDAY 0x080
#define VT_TS_NOW 0x100 /* the current time instead of t */

/* Minimum buffer sizes of TimeStr and TastTmStr. */
#define VT_TIMESTR_SIZE 28
#define VT_TASTTMSTR_SIZE 24

/* Writes t (local time) with ms as a date and time in the user's notation,
 * e.g. "Fr 17.05.2024 12:30:45.123"; buf needs VT_TIMESTR_SIZE bytes. t = -1
 * writes "kein Wert"; a time beyond 2099 writes an empty text. A part that
 * ends the text (minutes without seconds, seconds without milliseconds) is
 * followed by NUL. Returns buf (null for a null buf). */
VELTRA_FN char* TimeStr(char* buf, vt_time_t t, int16_t ms, int16_t flags);

/* Reads a relative time: a keyword NOW, SECOND, MINUTE, HOUR, DAY, WEEK,
 * MONTH, YEAR or SHIFT (the current time floored to that unit), then signed
 * offsets with units D, W, MO, Y (calendar) or H, M, S, any case, blanks
 * allowed between the parts. -1 for a null or empty text, no keyword at the
 * very start, a missing number, an unknown unit, or a result outside
 * 1970-2099. */
VELTRA_FN vt_time_t ScanHDATime(const char* text);

/* Reads a date and time in the user's notation ("17.05.2024 12:30:45",
 * "17.05.", "12:30", two-digit years 00-69 as 20xx) or a relative time;
 * missing parts are today's date at 00:00:00. strict 0 accepts any numbers
 * (normalised, an empty text is now), 1 checks every field's range, 2 also
 * requires a date and hours with minutes. The text is cut in place and is
 * not usable afterwards. -1 on failure. */
VELTRA_FN vt_time_t ScanTimeStr(char* text, int strict);

/* Writes a duration in seconds as "[-][D]d hh:mm:ss[.mmm]" (days only when
 * not 0) with the locale's time separator; buf needs VT_TASTTMSTR_SIZE
 * bytes. msmode 0 omits the milliseconds, -1 writes them when not 0, any
 * other value always. Milliseconds are rounded, carrying into the seconds.
 * Durations beyond 99999 days, infinities and NaN are written as the
 * largest duration 99999d 23:59:59.999 (with the sign). Returns buf. */
VELTRA_FN char* TastTmStr(char* buf, int16_t msmode, double seconds);

/* Reads a duration: optional months "Nm" (31 days), days "Nd", then
 * seconds, minutes:seconds or hours:minutes:seconds with the locale's time
 * separator, an optional decimal fraction after "." or ",", an optional "s"
 * unit; "500ms" is 0.5 s. -1.0 for a null, empty or over-long (80
 * characters or more) text, another character, a fourth clock field, or a
 * text that a "." or "," time separator makes ambiguous; 0.0 for a second
 * fraction mark. */
VELTRA_FN double ScanTastTmStr(const char* text);

#endif
