/* Veltra support library: the library's own zone and broken-down time functions. */
#ifndef VELTRA_TIMEZONE_H
#define VELTRA_TIMEZONE_H

#include "veltra/export.h"

#endif
