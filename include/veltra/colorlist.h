/* Veltra support library: owner-drawn colour list. */
#ifndef VELTRA_COLORLIST_H
#define VELTRA_COLORLIST_H

#include "veltra/export.h"

#endif
