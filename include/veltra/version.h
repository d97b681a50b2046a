/* Version of the Veltra support library. */
#ifndef VELTRA_VERSION_H
#define VELTRA_VERSION_H

#include "veltra/export.h"

#define VELTRA_VERSION_MAJOR 1
#define VELTRA_VERSION_MINOR 0
#define VELTRA_VERSION_PATCH 0
#define VELTRA_VERSION_TEXT "1.0.0"

/* The library's version as "major.minor.patch"; never null. */
VELTRA_FN const char* VeltraVersion(void);

#endif
