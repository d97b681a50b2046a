/* Veltra support library: conversions between epoch time, double seconds, OLE dates, FILETIME, SYSTEMTIME. */
#ifndef VELTRA_TIMECONV_H
#define VELTRA_TIMECONV_H

#include "veltra/export.h"

#endif
