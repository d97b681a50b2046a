/* Veltra support library: the library's own zone and broken-down time functions.
 *
 * Epoch time is a 32-bit count of seconds since 1970-01-01 00:00:00 UTC read
 * unsigned: valid from 0 to 4102444799 (2099-12-31 23:59:59 UTC); all bits set
 * (-1) is the invalid time. The zone comes from "TZ" when it is set, else from
 * the system's time-zone information, read on first use and again by tzset_.
 *
 * The classic names (time, gmtime, localtime, mktime, asctime, ctime, _ftime)
 * are the DLL's exports of the vt_ functions below; inside a program that
 * links the library statically, only the vt_ names exist, so the C runtime's
 * functions are never replaced. */
#ifndef VELTRA_TIMEZONE_H
#define VELTRA_TIMEZONE_H

#include <stdint.h>

#include "veltra/export.h"

/* Epoch time: 32 bits in every build. */
typedef int32_t vt_time_t;

#define VT_TIME_INVALID ((vt_time_t)-1)
#define VT_TIME_MAX 4102444799u /* 2099-12-31 23:59:59 UTC */

/* Broken-down time: nine signed 32-bit fields, the layout of the Windows
 * runtime's struct tm. tm_year counts from 1900 (69 to 200 occur). */
typedef struct vt_tm {
  int32_t tm_sec;   /* 0-59 */
  int32_t tm_min;   /* 0-59 */
  int32_t tm_hour;  /* 0-23 */
  int32_t tm_mday;  /* 1-31 */
  int32_t tm_mon;   /* 0-11 */
  int32_t tm_year;  /* years since 1900 */
  int32_t tm_wday;  /* 0 = Sunday */
  int32_t tm_yday;  /* 0-365 */
  int32_t tm_isdst; /* >0 daylight time, 0 standard, <0 unknown (mktime input) */
} vt_tm;

/* Time buffer of _ftime (the Windows _timeb layout). */
typedef struct vt_timeb {
  vt_time_t time;    /* epoch time */
  uint16_t millitm;  /* milliseconds 0-999 */
  int16_t timezone;  /* minutes west of UTC (standard time) */
  int16_t dstflag;   /* always -1: unknown */
} vt_timeb;

/* Re-reads the zone state from "TZ" or the system. An empty "TZ", or one
 * equal to the last applied value, changes nothing. */
VELTRA_FN void tzset_(void);

/* time: current epoch time, also stored through t when t is not null;
 * -1 when the local year lies outside 1970-2099. */
VELTRA_FN vt_time_t vt_time(vt_time_t* t);

/* gmtime: *t as UTC fields in the calling thread's record (shared with
 * localtime); null when t is null or *t is beyond 4102444799. */
VELTRA_FN vt_tm* vt_gmtime(const vt_time_t* t);

/* localtime: *t as local fields (may lie on 1969-12-31 or 2100-01-01) in the
 * thread's record; null when t is null or *t is beyond 4102444799. */
VELTRA_FN vt_tm* vt_localtime(const vt_time_t* t);

/* mktime: local fields to epoch time; normalises *rec in place (month, day,
 * weekday, day of year, daylight flag). tm_isdst < 0 lets the zone decide.
 * -1 for a null record, a year outside 1969-2100 after normalisation, a
 * field sum that overflows 32 bits, or a result beyond 4102444799. */
VELTRA_FN vt_time_t vt_mktime(vt_tm* rec);

/* mktimegm: the UTC inverse of gmtime, same checks as mktime. */
VELTRA_FN vt_time_t mktimegm(vt_tm* rec);

/* asctime: "Www Mmm dd hh:mm:ss yyyy\n" in one process-wide 26-byte buffer.
 * Fields are not range-checked; out-of-table weekday or month indices give
 * "???". Null record gives null. */
VELTRA_FN char* vt_asctime(const vt_tm* rec);

/* ctime: asctime of localtime(t); null when localtime fails. */
VELTRA_FN char* vt_ctime(const vt_time_t* t);

/* _ftime: current time with milliseconds and the standard zone offset in
 * minutes; dstflag is always -1. A null record is ignored. */
VELTRA_FN void vt_ftime(vt_timeb* rec);

/* Addresses of the zone state: seconds west of UTC in standard time, the
 * extra seconds in daylight time (negative, usually -3600), and whether the
 * zone has daylight time. Callers may read and write through them. */
VELTRA_FN int32_t* gettimezone(void);
VELTRA_FN int32_t* getdstbias(void);
VELTRA_FN int32_t* getdaylight(void);

#endif
