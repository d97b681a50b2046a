/* Veltra support library: the formula engine class ctlcalc and its code records. */
#ifndef VELTRA_CTLCALC_H
#define VELTRA_CTLCALC_H

#include "veltra/export.h"

#endif
