/* Veltra support library: points in time and sampling periods as text. */
#ifndef VELTRA_TIMESTR_H
#define VELTRA_TIMESTR_H

#include "veltra/export.h"

#endif
