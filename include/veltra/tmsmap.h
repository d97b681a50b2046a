/* Veltra support library: the time value class tmsmap. */
#ifndef VELTRA_TMSMAP_H
#define VELTRA_TMSMAP_H

#include "veltra/export.h"

#endif
