/* Veltra support library: conversions between epoch time, double seconds,
 * OLE dates, FILETIME and SYSTEMTIME, and the modification time of a file.
 *
 * Double seconds: seconds since 1970-01-01 UTC with the milliseconds in the
 * fraction; -1.0 is invalid. OLE date: days since 1899-12-30 00:00 local time.
 * FILETIME: 100 ns ticks since 1601-01-01 UTC. Breakdowns use the library's
 * own gmtime/localtime (timezone.h), so their range is 1970 to 2099. */
#ifndef VELTRA_TIMECONV_H
#define VELTRA_TIMECONV_H

#include <stdint.h>

#include "veltra/export.h"
#include "veltra/timezone.h"

#if defined(_WIN32)
#include <windows.h>
#else
/* Native builds: the Windows layouts with fixed-width fields. */
typedef struct _FILETIME {
  uint32_t dwLowDateTime;
  uint32_t dwHighDateTime;
} FILETIME;

typedef struct _SYSTEMTIME {
  uint16_t wYear;
  uint16_t wMonth; /* 1-12 */
  uint16_t wDayOfWeek;
  uint16_t wDay;
  uint16_t wHour;
  uint16_t wMinute;
  uint16_t wSecond;
  uint16_t wMilliseconds;
} SYSTEMTIME;
#endif

#ifdef __cplusplus

/* Epoch time to OLE date (local); 0.0 for the invalid time, a time beyond
 * 2099, or when the OLE time service is not bound or refuses. */
VELTRA_FN double Time_tToDate(vt_time_t t);

/* OLE date (local) to epoch time through the library's mktime; -1 when the
 * service is missing or refuses, or the date lies outside the range. */
VELTRA_FN vt_time_t DateToTime_t(double date);

/* Epoch time (unsigned, up to 4294967294) to FILETIME; the invalid time (-1)
 * gives the zero FILETIME. */
VELTRA_FN FILETIME Time_tToFILETIME(vt_time_t t);

/* FILETIME to epoch time, truncating sub-seconds; -1 before 1970 (by a whole
 * second or more) or beyond 4294967294 (returned as -2). */
VELTRA_FN vt_time_t FILETIMEToTime_t(FILETIME ft);

/* FILETIME to double seconds with whole milliseconds; -1.0 out of range as
 * for FILETIMEToTime_t. */
VELTRA_FN double FILETIMEToDouble(FILETIME ft);

/* Double seconds to FILETIME, milliseconds truncated (1.9999 gives 1.999);
 * zero FILETIME for negative input, NaN, or 2^32 seconds and more. */
VELTRA_FN FILETIME DoubleToFILETIME(double seconds);

/* Epoch time to local (local true) or UTC fields; wMilliseconds = ms as
 * given, wDayOfWeek = 65535. Returns 0 and leaves st untouched for a time
 * beyond 2099; 1 when filled. */
VELTRA_FN int Time_tToSYSTEMTIME(vt_time_t t, int16_t ms, SYSTEMTIME& st, bool local);

/* Local (local true) or UTC fields to epoch time, normalising out-of-range
 * fields; -1 on failure. wMilliseconds is stored through ms (when not null)
 * even on failure. wDayOfWeek is ignored. */
VELTRA_FN vt_time_t SYSTEMTIMEToTime_t(const SYSTEMTIME& st, bool local, int16_t* ms);

/* Last-write time of the first file matching path (wildcards allowed on
 * Windows); -1 when nothing matches, path is null, or the time lies outside
 * 1970-2099. */
VELTRA_FN vt_time_t FileTime(const char* path);

#endif

#endif
