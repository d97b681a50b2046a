/* Veltra support library: calendar periods: codes, lengths, floors, ceilings, calendar queries. */
#ifndef VELTRA_PERIOD_H
#define VELTRA_PERIOD_H

#include "veltra/export.h"

#endif
