/* Veltra support library: path placeholders $INSTALL and $PROJECT. */
#ifndef VELTRA_PLACEHOLDER_H
#define VELTRA_PLACEHOLDER_H

#include "veltra/export.h"

#endif
