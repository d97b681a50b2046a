/* Umbrella header of the Veltra support library. */
#ifndef VELTRA_SUPPORT_H
#define VELTRA_SUPPORT_H

#include "veltra/export.h"
#include "veltra/version.h"

#endif
