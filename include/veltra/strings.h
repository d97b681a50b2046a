/* Veltra support library: string utilities on NUL-terminated narrow strings. */
#ifndef VELTRA_STRINGS_H
#define VELTRA_STRINGS_H

#include "veltra/export.h"

#endif
