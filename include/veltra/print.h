/* Veltra support library: printer selection, page geometry, background text-file printing, table layout. */
#ifndef VELTRA_PRINT_H
#define VELTRA_PRINT_H

#include "veltra/export.h"

#endif
