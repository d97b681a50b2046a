/* Veltra support library: visual-style wrappers. */
#ifndef VELTRA_THEME_H
#define VELTRA_THEME_H

#include "veltra/export.h"

#endif
