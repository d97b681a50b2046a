/* Veltra support library: C-linkage handle API of the formula engine. */
#ifndef VELTRA_CTLCALC_C_H
#define VELTRA_CTLCALC_C_H

#include "veltra/export.h"

#endif
